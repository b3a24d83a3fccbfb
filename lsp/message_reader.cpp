#include "message_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace tagora::lsp {
namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kContentLength = "content-length";

bool sameLetters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == y; });
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The Content-Length of a header (without its final empty line); none
// when it has none, names it twice or gives something other than digits.
std::optional<std::size_t> contentLength(std::string_view header, std::string& problem)
{
    std::optional<std::size_t> length;
    while (!header.empty()) {
        const std::size_t end = header.find("\r\n");
        const std::string_view line = header.substr(0, end);
        header = end == std::string_view::npos ? std::string_view() : header.substr(end + 2);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            problem = "a header line without ':'";
            return std::nullopt;
        }
        if (!sameLetters(trimmed(line.substr(0, colon)), kContentLength))
            continue;
        const std::string_view value = trimmed(line.substr(colon + 1));
        std::size_t number = 0;
        const auto [next, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (length || value.empty() || error != std::errc() || next != value.data() + value.size()) {
            problem = "a Content-Length that is not one number";
            return std::nullopt;
        }
        length = number;
    }
    if (!length)
        problem = "a header without Content-Length";
    return length;
}

}  // namespace

void MessageReader::feed(std::string_view bytes)
{
    if (m_toSkip > 0) {
        const std::size_t skipped = std::min(m_toSkip, bytes.size());
        m_toSkip -= skipped;
        bytes.remove_prefix(skipped);
    }
    m_buffer.append(bytes);
    for (;;) {
        const std::size_t before = m_buffer.size();
        const bool wasInContent = m_inContent;
        if (m_inContent)
            readContent();
        else
            readHeader();
        if (m_buffer.size() == before && m_inContent == wasInContent)
            return;
    }
}

Frame MessageReader::nextFrame()
{
    Frame frame = std::move(m_frames.front());
    m_frames.pop_front();
    return frame;
}

void MessageReader::fault(Frame::Kind kind, std::string message)
{
    m_frames.push_back({kind, std::move(message)});
}

void MessageReader::readHeader()
{
    const std::size_t end = m_buffer.find(kHeaderEnd);
    if (end == std::string::npos) {
        if (m_buffer.size() > kMaxHeaderSize) {
            // Nothing here is a header: pass it over, keeping what may
            // begin the end of one.
            fault(Frame::Kind::BadHeader, "a header longer than " + std::to_string(kMaxHeaderSize) + " bytes");
            m_buffer.erase(0, m_buffer.size() - (kHeaderEnd.size() - 1));
        }
        return;
    }
    std::string problem;
    const std::optional<std::size_t> length = contentLength(std::string_view(m_buffer).substr(0, end), problem);
    m_buffer.erase(0, end + kHeaderEnd.size());
    if (!length) {
        fault(Frame::Kind::BadHeader, problem);
        return;
    }
    if (*length > m_limit) {
        fault(Frame::Kind::TooLarge, "a message of " + std::to_string(*length) + " bytes, more than the limit of "
                                         + std::to_string(m_limit));
        const std::size_t skipped = std::min(*length, m_buffer.size());
        m_buffer.erase(0, skipped);
        m_toSkip = *length - skipped;
        return;
    }
    m_contentSize = *length;
    m_inContent = true;
}

void MessageReader::readContent()
{
    if (m_buffer.size() < m_contentSize)
        return;
    m_frames.push_back({Frame::Kind::Message, m_buffer.substr(0, m_contentSize)});
    m_buffer.erase(0, m_contentSize);
    m_inContent = false;
}

}  // namespace tagora::lsp

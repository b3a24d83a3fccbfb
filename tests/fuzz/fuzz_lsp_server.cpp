// The language server under any bytes: the first byte chooses between the
// message stream and the document model.
//   - Messages: the rest is cut into reads of sizes the bytes choose and
//     fed to the message reader, each frame to the server. Every message
//     the server sends must be one JSON object of the protocol, a request
//     answered no more times than it was sent (a client may send an id
//     again), and nothing may throw or hang.
//   - Documents: the rest is a series of edits of a document, each checked
//     against a plain copy of the text: offsets and positions, in UTF-16
//     and in UTF-8, against a count made from the start of the text.
#include "fuzz_check.h"

#include "document.h"
#include "message_reader.h"
#include "server.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tagora::lsp::Document;
using tagora::lsp::Position;
using tagora::lsp::PositionEncoding;
using tagora::lsp::Span;

// By id: how many requests wait for an answer.
using Unanswered = std::map<std::string, int>;

void checkMessage(const std::string& text, Unanswered& unanswered)
{
    const nlohmann::json message = nlohmann::json::parse(text, nullptr, false);
    FUZZ_CHECK(message.is_object());
    FUZZ_CHECK(message.value("jsonrpc", "") == "2.0");
    FUZZ_CHECK(message.contains("method") || message.contains("result") || message.contains("error"));
    if (!message.contains("method") && !message["id"].is_null())
        FUZZ_CHECK(unanswered[message["id"].dump()]-- > 0);
}

// A message with an id waits for one answer, unless it is a response: one
// with a result or an error and no method.
void countRequest(const tagora::lsp::Frame& frame, Unanswered& unanswered)
{
    if (frame.kind != tagora::lsp::Frame::Kind::Message)
        return;
    const nlohmann::json message = nlohmann::json::parse(frame.content, nullptr, false);
    if (!message.is_object() || !message.contains("id") || message["id"].is_null())
        return;
    if (message.contains("method") || !(message.contains("result") || message.contains("error")))
        ++unanswered[message["id"].dump()];
}

void messages(const std::uint8_t* data, std::size_t size)
{
    Unanswered unanswered;
    tagora::lsp::Server server([&](const std::string& text) { checkMessage(text, unanswered); }, "/nonexistent/tagora-fuzz-");
    tagora::lsp::MessageReader reader(4096);
    std::size_t at = 0;
    while (at < size) {
        const std::size_t read = 1 + data[at] % 64;
        const std::size_t end = std::min(size, at + 1 + read);
        reader.feed({reinterpret_cast<const char*>(data) + at + 1, end - std::min(end, at + 1)});
        at = end;
        while (reader.hasFrame()) {
            const tagora::lsp::Frame frame = reader.nextFrame();
            countRequest(frame, unanswered);
            server.handleFrame(frame);
            if (server.exitStatus())
                return;
        }
    }
}

// Pieces of text with line breaks and characters of every UTF-8 size.
constexpr std::string_view kPieces[16] = {"a", "\n", "\r", "\r\n", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\"",
                                          "xyz", "\\", "\xE2\x80\xA8", "\t", "<p>", "\n\n", "\r\r", " "};

std::size_t sequenceSize(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// Every character start's position, counted in one pass from the start
// of the text, against the document's.
void checkPositions(const Document& document, const std::string& text)
{
    for (const PositionEncoding encoding : {PositionEncoding::Utf16, PositionEncoding::Utf8}) {
        Position expected;
        for (std::size_t at = 0;;) {
            const Position position = document.positionOf(at, encoding);
            FUZZ_CHECK(position.line == expected.line && position.character == expected.character);
            FUZZ_CHECK(document.offsetOf(position, encoding) == at);
            if (at == text.size())
                break;
            const char c = text[at];
            const bool crLf = c == '\r' && at + 1 < text.size() && text[at + 1] == '\n';
            if (c == '\n' || c == '\r') {
                ++expected.line;
                expected.character = 0;
                at += crLf ? 2 : 1;
                continue;
            }
            const std::size_t size = sequenceSize(static_cast<unsigned char>(c));
            expected.character += encoding == PositionEncoding::Utf8 ? size : size == 4 ? 2 : 1;
            at += size;
        }
    }
}

void documents(const std::uint8_t* data, std::size_t size)
{
    std::string text = "\xF0\x9F\x98\x80\r\nb";
    Document document(text, 1, "php");
    for (std::size_t at = 0; at + 3 <= size; at += 3) {
        // Where and how much to replace, in characters kept whole.
        std::size_t begin = text.empty() ? 0 : data[at] * text.size() / 256;
        std::size_t end = std::min(text.size(), begin + data[at + 1] % 8);
        while (begin > 0 && (static_cast<unsigned char>(text[begin]) & 0xC0) == 0x80)
            --begin;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        std::string inserted;
        for (std::uint8_t bits = data[at + 2]; bits != 0; bits >>= 4)
            inserted += kPieces[bits & 15];
        text.replace(begin, end - begin, inserted);
        document.replace(Span{begin, end}, inserted);
        FUZZ_CHECK(document.text() == text);
        checkPositions(document, text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] % 2 == 0)
        messages(data + 1, size - 1);
    else
        documents(data + 1, size - 1);
    return 0;
}

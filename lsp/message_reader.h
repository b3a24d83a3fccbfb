// The base protocol's framing: "Content-Length: N\r\n", other header
// lines, an empty line, then N bytes of JSON. Bytes come in as they are
// read; whole messages and framing faults come out. A message larger than
// the limit is passed over as it arrives, never held.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace tagora::lsp {

struct Frame {
    enum class Kind { Message, BadHeader, TooLarge };
    Kind kind = Kind::Message;
    std::string content;  // the message, or what is wrong with the frame
};

class MessageReader {
public:
    static constexpr std::size_t kDefaultLimit = std::size_t{64} << 20;
    static constexpr std::size_t kMaxHeaderSize = 8192;

    explicit MessageReader(std::size_t limit = kDefaultLimit) : m_limit(limit) {}

    void feed(std::string_view bytes);
    bool hasFrame() const { return !m_frames.empty(); }
    Frame nextFrame();

private:
    void readHeader();
    void readContent();
    void fault(Frame::Kind kind, std::string message);

    std::size_t m_limit;
    std::string m_buffer;        // bytes not yet taken
    std::size_t m_contentSize = 0;
    std::size_t m_toSkip = 0;    // of a message too large
    bool m_inContent = false;
    std::deque<Frame> m_frames;
};

}  // namespace tagora::lsp

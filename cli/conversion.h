// One input converted into one output, block by block, in buffers of a
// fixed size that are reused for every input.
#pragma once

#include "files.h"
#include "input_text/html_encoding.h"
#include "options.h"
#include "script_reader/asp_includes.h"
#include "script_reader/script_read_error.h"
#include "script_reader/script_to_html.h"
#include "write_behind.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tagora {
class Utf8InputDecoder;
}

namespace tagora::cli {

class Producer;

// Exit statuses, from best to worst.
enum class Outcome { Done = 0, EmptyInput = 1, Failed = 2 };

// --encoding auto: each input read as the window opens a file.
inline constexpr std::string_view kAutoEncoding = "auto";

class Converter {
public:
    Converter(const Options& options);

    // Converts the input; every failure is reported on standard error.
    // A direct output gets nothing unless the input is valid UTF-8 when it
    // can be read twice; a file output is committed only on success.
    Outcome convert(InputFile& input, OutputFile& output);
    // With --to=html, after a conversion that succeeded: what became of
    // the input's write statements, on one line.
    const std::string& report() const { return m_report; }
    // With --explain, after such a conversion: a line per write of the
    // template that stays code, "file:line:column: why".
    const std::string& explanation() const { return m_explanation; }

private:
    enum class Step {
        Done, EmptyInput, EmptyScript, BadInput, BadScript, ReadError, SpoolError, NoLabel,
        WriteError, InputChanged, NoConverter
    };

    template <class Handler>
    Step eachBlock(InputFile& input, Handler handle);
    template <class Handler>
    Step eachPiece(InputFile& input, Handler handle);
    bool needsLabel() const;
    Step chooseEncoding(InputFile& input);
    Step findEncoding(InputFile& input);
    Step encodingOrMark(InputFile& input);
    Step useEncoding(InputFile& input, html::EncodingChoice choice);
    Step firstPass(InputFile& input, const OutputFile& output);
    Step validate(InputFile& input);
    Step findLabel(InputFile& input);
    Step checkScript(InputFile& input);
    Step writeTemplate(InputFile& input, OutputFile& output);
    HtmlFromScript htmlFromLiteral(std::string_view literal) const;
    bool keepsFileBytes() const;
    Step writeFileBytesTemplate(std::string_view script, HtmlFromScript made, const InputFile& input, OutputFile& output);
    std::optional<std::string> transcoded(std::string_view bytes);
    bool writeMarkSkipped(OutputFile& output) const;
    AspIncludeReader includeReader(const InputFile& input) const;
    PhpIncludeReader phpIncludeReader(const InputFile& input) const;
    Step rewind(InputFile& input);
    Step stream(InputFile& input, OutputFile& output);
    Step produce(InputFile& input, OutputFile& output);
    Step producePiece(std::string_view piece, Utf8InputDecoder& decoder, Producer& producer,
                      const InputFile& input, OutputFile& output);
    Step handOverOutput(const InputFile& input, OutputFile& output, bool last = false);
    void noteHowRead(const InputFile& input) const;
    Outcome report(Step step, const InputFile& input, const OutputFile& output);

    Options m_options;
    bool m_exactScript = false;  // --to=html: one of this program's scripts
    ScriptReadError m_scriptError;
    std::string m_report;
    std::string m_explanation;
    std::string m_label;  // of the heredoc, for the targets that have one
    std::unique_ptr<char[]> m_input;
    std::unique_ptr<char[]> m_text;
    std::unique_ptr<char[]> m_transcoded;
    WriteBehind m_writer;
    char* m_out = nullptr;  // the end of the output in m_writer's buffer
    bool m_begun = false;   // the output has begun
    // With --encoding: how this input is read; a transcoder turns it into
    // UTF-8 in each pass unless it is UTF-8 (already checked whole).
    std::optional<html::EncodingChoice> m_choice;
    bool m_transcoding = false;
    bool m_checked = false;   // valid UTF-8, found in a pass already made
    bool m_replaced = false;  // a transcoder put U+FFFD for some bytes
    std::uint64_t m_badOffset = 0;
    int m_error = 0;
};

// Writes "tagora-convert: " and the message on standard error, or adds
// the line to the messages a MessagesKept of the calling thread keeps.
void complain(const std::string& message);

// While it lives, what the calling thread complains of is added to the
// messages instead of being written, so that they can go out later in
// their turn.
class MessagesKept {
public:
    explicit MessagesKept(std::string& messages);
    MessagesKept(const MessagesKept&) = delete;
    MessagesKept& operator=(const MessagesKept&) = delete;
    ~MessagesKept();

private:
    std::string* m_before;
};

}  // namespace tagora::cli

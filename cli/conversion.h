// One input converted into one output, block by block, in buffers of a
// fixed size that are reused for every input.
#pragma once

#include "files.h"
#include "script_read_error.h"
#include "options.h"
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

class Converter {
public:
    Converter(const Options& options);

    // Converts the input; every failure is reported on standard error.
    // A direct output gets nothing unless the input is valid UTF-8 when it
    // can be read twice; a file output is committed only on success.
    Outcome convert(InputFile& input, OutputFile& output);

private:
    enum class Step { Done, EmptyInput, EmptyScript, BadInput, BadScript, ReadError, SpoolError, NoLabel, WriteError };
    struct Buffers;

    template <class Handler>
    Step eachBlock(InputFile& input, Handler handle);
    bool needsLabel() const;
    Step firstPass(InputFile& input, const OutputFile& output);
    Step validate(InputFile& input);
    Step findLabel(InputFile& input);
    Step checkScript(InputFile& input);
    Step writeTemplate(InputFile& input, OutputFile& output);
    Step stream(InputFile& input, OutputFile& output);
    Step produce(InputFile& input, OutputFile& output);
    Step producePiece(std::string_view piece, Utf8InputDecoder& decoder, Producer& producer,
                      OutputFile& output);
    bool handOverOutput(OutputFile& output);
    Outcome report(Step step, const InputFile& input, const OutputFile& output);

    Options m_options;
    bool m_exactScript = false;  // --to=html: one of this program's scripts
    ScriptReadError m_scriptError;
    std::string m_label;  // of the heredoc, for the targets that have one
    std::unique_ptr<char[]> m_input;
    std::unique_ptr<char[]> m_text;
    WriteBehind m_writer;
    char* m_out = nullptr;  // the end of the output in m_writer's buffer
    bool m_begun = false;   // the output has begun
    bool m_textIsInput = false;  // checked: the input needs no decoding
    std::uint64_t m_badOffset = 0;
    int m_error = 0;
};

// Writes "tagora-convert: " and the message on standard error.
void complain(const std::string& message);

}  // namespace tagora::cli

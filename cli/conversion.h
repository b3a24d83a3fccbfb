// One input converted into one output, block by block, in buffers of a
// fixed size that are reused for every input.
#pragma once

#include "files.h"
#include "html_encoding.h"
#include "options.h"
#include "transcoder.h"
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
    Converter(Output output, Escaping escaping);

    // How inputs are read: empty for strict UTF-8, kAutoEncoding, or the
    // name of an encoding in html_encoding.h.
    void setEncoding(std::string encoding) { m_encoding = std::move(encoding); }

    // Converts the input; every failure is reported on standard error.
    // A direct output gets nothing unless the input is valid UTF-8 when it
    // can be read twice; a file output is committed only on success.
    Outcome convert(InputFile& input, OutputFile& output);

private:
    enum class Step {
        Done, EmptyInput, BadInput, ReadError, CopyError, WriteError, InputChanged, NoConverter
    };

    template <class Handler>
    Step eachBlock(InputFile& input, Handler handle);
    Step prepare(InputFile& input, const OutputFile& output);
    Step chooseEncoding(InputFile& input);
    Step encodingOrMark(InputFile& input);
    Step startTranscoding(InputFile& input);
    Step validate(InputFile& input);
    Step rewind(InputFile& input);
    void noteHowRead(const InputFile& input) const;
    Step stream(InputFile& input, OutputFile& output);
    Step produce(InputFile& input, OutputFile& output);
    Step produceBlock(std::string_view block, Utf8InputDecoder& decoder, Producer& producer,
                      const InputFile& input, OutputFile& output);
    Step producePiece(std::string_view piece, Utf8InputDecoder& decoder, Producer& producer,
                      const InputFile& input, OutputFile& output);
    Step handOverOutput(const InputFile& input, OutputFile& output);
    Outcome report(Step step, const InputFile& input, const OutputFile& output);

    Output m_output;
    Escaping m_escaping;
    std::unique_ptr<char[]> m_input;
    std::unique_ptr<char[]> m_text;
    std::unique_ptr<char[]> m_transcoded;
    WriteBehind m_writer;
    char* m_out = nullptr;  // the end of the output in m_writer's buffer
    bool m_begun = false;   // the output has begun
    std::string m_encoding;
    // For one input read in another encoding than strict UTF-8.
    std::optional<html::EncodingChoice> m_choice;
    std::optional<Transcoder> m_transcoder;
    std::uint64_t m_badOffset = 0;
    int m_error = 0;
};

// --encoding auto: each input read as the window opens a file.
inline constexpr std::string_view kAutoEncoding = "auto";

// Writes "tagora-convert: " and the message on standard error.
void complain(const std::string& message);

}  // namespace tagora::cli

#include "conversion.h"

#include "character_listing.h"
#include "input_text.h"
#include "script_generator.h"
#include "utf8.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace tagora::cli {
namespace {

constexpr std::size_t kReadSize = std::size_t{64} << 10;
constexpr std::size_t kTextSize = Utf8InputDecoder::maxFeedSize(kReadSize);
// The output goes out in writes of at least this size (and at the end).
constexpr std::size_t kWriteSize = std::size_t{512} << 10;

// The script or the listing, whichever the command line asks for.
class Producer {
public:
    Producer(Output output, Escaping escaping)
    {
        if (output != Output::CharacterCodes)
            m_script.emplace(output == Output::PhpScript ? ScriptLanguage::Php : ScriptLanguage::Asp,
                             escaping);
    }

    std::size_t maxFeedSize(std::size_t size) const
    {
        return m_script ? m_script->maxFeedSize(size) : Utf8CodeListing::maxFeedSize(size);
    }
    char* begin(char* out) { return m_script ? m_script->begin(out) : out; }
    char* feed(std::string_view text, char* out)
    {
        return m_script ? m_script->feed(text, out) : m_listing.feed(text, out);
    }
    char* finish(char* out) { return m_script ? m_script->finish(out) : m_listing.finish(out); }

private:
    std::optional<ScriptStream<char>> m_script;
    Utf8CodeListing m_listing;
};

std::unique_ptr<char[]> buffer(std::size_t size)
{
    return std::make_unique_for_overwrite<char[]>(size);
}

}  // namespace

void complain(const std::string& message)
{
    std::string line = "tagora-convert: " + message + "\n";
    [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, line.data(), line.size());
}

Converter::Converter(Output output, Escaping escaping)
    : m_output(output), m_escaping(escaping)
{
    const Producer producer(output, escaping);
    m_scriptCapacity = kWriteSize + producer.maxFeedSize(kTextSize) + 2 * ScriptStream<char>::kMaxFrameSize;
    m_input = buffer(kReadSize);
    m_text = buffer(kTextSize);
    m_script = buffer(m_scriptCapacity);
}

Outcome Converter::convert(InputFile& input, OutputFile& output)
{
    Step step = Step::Done;
    if (output.isDirect() && input.isRegular()) {
        step = validate(input);
        if (step == Step::Done && !input.rewind()) {
            m_error = errno;
            step = Step::ReadError;
        }
    }
    if (step == Step::Done)
        step = stream(input, output);
    if (step == Step::Done && !output.commit())
        step = Step::WriteError;
    if (step != Step::Done)
        output.discard();
    return report(step, input, output);
}

// A whole pass over the input, before anything is written.
Converter::Step Converter::validate(InputFile& input)
{
    Utf8Validator validator;
    for (;;) {
        const ssize_t got = input.read(m_input.get(), kReadSize);
        if (got < 0) {
            m_error = errno;
            return Step::ReadError;
        }
        if (got == 0)
            break;
        if (!validator.feed({m_input.get(), static_cast<std::size_t>(got)})) {
            m_badOffset = validator.errorOffset();
            return Step::BadInput;
        }
    }
    if (!validator.finish()) {
        m_badOffset = validator.errorOffset();
        return Step::BadInput;
    }
    return Step::Done;
}

// Read a block, decode it into the input text, produce its part of the
// output, and write the output whenever a large piece of it is ready.
Converter::Step Converter::stream(InputFile& input, OutputFile& output)
{
    Utf8InputDecoder decoder;
    Producer producer(m_output, m_escaping);
    char* const start = m_script.get();
    char* out = start;
    bool begun = false;
    for (;;) {
        const ssize_t got = input.read(m_input.get(), kReadSize);
        if (got < 0) {
            m_error = errno;
            return Step::ReadError;
        }
        if (got == 0)
            break;
        const auto text = decoder.decode({m_input.get(), static_cast<std::size_t>(got)}, m_text.get());
        if (!text) {
            m_badOffset = decoder.errorOffset();
            return Step::BadInput;
        }
        if (!text->empty()) {
            if (!begun)
                out = producer.begin(out);
            begun = true;
            out = producer.feed(*text, out);
        }
        if (static_cast<std::size_t>(out - start) >= kWriteSize) {
            if (!output.write(start, static_cast<std::size_t>(out - start)))
                return Step::WriteError;
            out = start;
        }
    }
    if (!decoder.finish()) {
        m_badOffset = decoder.errorOffset();
        return Step::BadInput;
    }
    if (!begun)
        return Step::EmptyInput;
    out = producer.finish(out);
    return output.write(start, static_cast<std::size_t>(out - start)) ? Step::Done : Step::WriteError;
}

Outcome Converter::report(Step step, const InputFile& input, const OutputFile& output)
{
    switch (step) {
    case Step::Done:
        return Outcome::Done;
    case Step::EmptyInput:
        complain(input.name() + ": " + std::string(kNoInputMessage));
        return Outcome::EmptyInput;
    case Step::BadInput:
        complain(input.name() + ": invalid UTF-8 at byte offset " + std::to_string(m_badOffset));
        return Outcome::Failed;
    case Step::ReadError:
        complain(input.name() + ": cannot read: " + std::strerror(m_error));
        return Outcome::Failed;
    case Step::WriteError:
        complain(output.name() + ": cannot write: " + std::strerror(output.error()));
        return Outcome::Failed;
    }
    return Outcome::Failed;
}

}  // namespace tagora::cli

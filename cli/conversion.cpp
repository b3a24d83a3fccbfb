#include "conversion.h"

#include "character_listing.h"
#include "heredoc_label.h"
#include "input_text.h"
#include "script_generator.h"
#include "script_reader.h"
#include "script_to_html.h"
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

}  // namespace

// The script, the listing or the HTML, whichever the command line asks for.
class Producer {
public:
    Producer(const Options& options, std::string_view label)
    {
        if (options.output == Output::Script)
            m_script.emplace(options.target, options.escaping, label);
        else if (options.output == Output::Html)
            m_reader.emplace(options.from);
    }

    std::size_t maxFeedSize(std::size_t size) const
    {
        if (m_script)
            return m_script->maxFeedSize(size);
        return m_reader ? ScriptReader::maxFeedSize(size) : Utf8CodeListing::maxFeedSize(size);
    }
    char* begin(char* out) { return m_script ? m_script->begin(out) : out; }
    // nullptr when the HTML's script cannot be read (see readError()).
    char* feed(std::string_view text, char* out)
    {
        if (m_script)
            return m_script->feed(text, out);
        return m_reader ? m_reader->feed(text, out) : m_listing.feed(text, out);
    }
    char* finish(char* out)
    {
        if (m_script)
            return m_script->finish(out);
        return m_reader ? m_reader->finish(out) : m_listing.finish(out);
    }
    ScriptReadError readError() const { return m_reader ? m_reader->error() : ScriptReadError(); }

private:
    std::optional<ScriptStream<char>> m_script;
    std::optional<ScriptReader> m_reader;
    Utf8CodeListing m_listing;
};

namespace {

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

namespace {

// Room for a large piece of output and all that one more input piece can
// add to it.
std::size_t outputCapacity(const Options& options)
{
    const Producer producer(options, kHeredocLabelStem);
    return kWriteSize + producer.maxFeedSize(kTextSize) + 2 * ScriptStream<char>::kMaxFrameSize;
}

}  // namespace

Converter::Converter(const Options& options)
    : m_options(options), m_writer(outputCapacity(options))
{
    m_input = buffer(kReadSize);
    m_text = buffer(kTextSize);
}

Outcome Converter::convert(InputFile& input, OutputFile& output)
{
    m_textIsInput = false;
    m_label = kHeredocLabelStem;
    Step step = firstPass(input, output);
    if (step == Step::Done && m_options.output == Output::Html && !m_exactScript)
        step = writeTemplate(input, output);
    else if (step == Step::Done)
        step = stream(input, output);
    if (step == Step::Done && !output.commit())
        step = Step::WriteError;
    if (step != Step::Done)
        output.discard();
    return report(step, input, output);
}

// Hands every block of the input to the handler, until the input ends, a
// read fails or the handler's step is not Done.
template <class Handler>
Converter::Step Converter::eachBlock(InputFile& input, Handler handle)
{
    for (;;) {
        const auto block = input.nextBlock(m_input.get(), kReadSize);
        if (!block) {
            m_error = errno;
            return Step::ReadError;
        }
        if (block->empty())
            return Step::Done;
        if (const Step step = handle(*block); step != Step::Done)
            return step;
    }
}

bool Converter::needsLabel() const
{
    return m_options.output == Output::Script && m_options.target == Target::PhpNowdoc;
}

// The input is read once before the output is produced: to check it when
// the output goes straight out, or to choose a heredoc label (a pipe is
// first copied to a temporary file for that). Afterwards it is read again
// from the start.
Converter::Step Converter::firstPass(InputFile& input, const OutputFile& output)
{
    Step step = Step::Done;
    const bool html = m_options.output == Output::Html;
    if (needsLabel() || html) {
        if (!input.isRegular() && !input.spool()) {
            m_error = errno;
            return Step::SpoolError;
        }
        step = html ? checkScript(input) : findLabel(input);
    } else if (output.isDirect() && input.isRegular()) {
        step = validate(input);
    } else {
        return Step::Done;
    }
    if (step == Step::Done && !input.rewind()) {
        m_error = errno;
        return Step::ReadError;
    }
    return step;
}

// The first heredoc label that no line of the input text closes.
Converter::Step Converter::findLabel(InputFile& input)
{
    Utf8InputDecoder decoder;
    HeredocLabelScan<char> scan;
    const Step read = eachBlock(input, [&](std::string_view block) {
        for (std::size_t at = 0; at < block.size(); at += kReadSize) {
            const auto text = decoder.decode(block.substr(at, kReadSize), m_text.get());
            if (!text) {
                m_badOffset = decoder.errorOffset();
                return Step::BadInput;
            }
            scan.feed(*text);
        }
        return Step::Done;
    });
    if (read != Step::Done)
        return read;
    if (!decoder.finish()) {
        m_badOffset = decoder.errorOffset();
        return Step::BadInput;
    }
    const std::optional<std::string> label = scan.label();
    if (!label)
        return Step::NoLabel;
    m_label = *label;
    return Step::Done;
}

// A script is read as it is, strictly UTF-8, and read back as one of this
// program's scripts if it is one; it is then streamed in the second pass,
// else made into a template at one go.
Converter::Step Converter::checkScript(InputFile& input)
{
    Utf8Validator validator;
    ScriptReader reader(m_options.from);
    bool exact = true;
    std::uint64_t size = 0;
    const Step read = eachBlock(input, [&](std::string_view block) {
        size += block.size();
        if (!validator.feed(block)) {
            m_badOffset = validator.errorOffset();
            return Step::BadInput;
        }
        for (std::size_t at = 0; exact && at < block.size(); at += kReadSize)
            exact = reader.feed(block.substr(at, kReadSize), m_writer.buffer()) != nullptr;
        return Step::Done;
    });
    if (read != Step::Done)
        return read;
    if (!validator.finish()) {
        m_badOffset = validator.errorOffset();
        return Step::BadInput;
    }
    if (size == 0)
        return Step::EmptyScript;
    m_exactScript = exact && reader.finish(m_writer.buffer()) != nullptr;
    return Step::Done;
}

// A file that is not one of this program's scripts, whole in memory: the
// template of a PHP or ASP file, written at once.
Converter::Step Converter::writeTemplate(InputFile& input, OutputFile& output)
{
    std::string script;
    const Step read = eachBlock(input, [&](std::string_view block) {
        script.append(block);
        return Step::Done;
    });
    if (read != Step::Done)
        return read;
    const HtmlFromScript html = htmlFromScript(script, m_options.from);
    if (!html.html) {
        m_scriptError = html.error;
        return Step::BadScript;
    }
    return output.write(html.html->data(), html.html->size()) ? Step::Done : Step::WriteError;
}

// A whole pass over the input, before anything is written. It also finds
// out whether the input text is the bytes as they are, which spares the
// second pass the decoding.
Converter::Step Converter::validate(InputFile& input)
{
    Utf8InputCheck validator;
    const Step read = eachBlock(input, [&](std::string_view block) {
        if (validator.feed(block))
            return Step::Done;
        m_badOffset = validator.errorOffset();
        return Step::BadInput;
    });
    if (read != Step::Done)
        return read;
    if (!validator.finish()) {
        m_badOffset = validator.errorOffset();
        return Step::BadInput;
    }
    m_textIsInput = validator.changesNothing();
    return Step::Done;
}

// Produces the output and waits until it is all written.
Converter::Step Converter::stream(InputFile& input, OutputFile& output)
{
    const Step step = produce(input, output);
    const bool written = m_writer.wait();
    return step == Step::Done && !written ? Step::WriteError : step;
}

// Read a block, decode it into the input text piece by piece, produce the
// output, and hand it over to be written whenever a large piece is ready.
Converter::Step Converter::produce(InputFile& input, OutputFile& output)
{
    Utf8InputDecoder decoder;
    Producer producer(m_options, m_label);
    m_out = m_writer.buffer();
    m_begun = false;
    const Step read = eachBlock(input, [&](std::string_view block) {
        for (std::size_t at = 0; at < block.size(); at += kReadSize) {
            if (const Step step = producePiece(block.substr(at, kReadSize), decoder, producer, output);
                step != Step::Done)
                return step;
        }
        return Step::Done;
    });
    if (read != Step::Done)
        return read;
    if (!decoder.finish()) {
        m_badOffset = decoder.errorOffset();
        return Step::BadInput;
    }
    if (!m_begun)
        return Step::EmptyInput;
    m_out = producer.finish(m_out);
    if (!m_out) {
        m_scriptError = producer.readError();
        return Step::BadScript;
    }
    return handOverOutput(output) ? Step::Done : Step::WriteError;
}

Converter::Step Converter::producePiece(std::string_view piece, Utf8InputDecoder& decoder,
                                        Producer& producer, OutputFile& output)
{
    const bool asItIs = m_textIsInput || m_options.output == Output::Html;
    const auto text = asItIs ? std::optional<std::string_view>(piece) : decoder.decode(piece, m_text.get());
    if (!text) {
        m_badOffset = decoder.errorOffset();
        return Step::BadInput;
    }
    if (!text->empty()) {
        if (!m_begun)
            m_out = producer.begin(m_out);
        m_begun = true;
        m_out = producer.feed(*text, m_out);
        if (!m_out) {
            m_scriptError = producer.readError();
            return Step::BadScript;
        }
    }
    if (static_cast<std::size_t>(m_out - m_writer.buffer()) >= kWriteSize && !handOverOutput(output))
        return Step::WriteError;
    return Step::Done;
}

bool Converter::handOverOutput(OutputFile& output)
{
    const bool handed = m_writer.handOver(output, static_cast<std::size_t>(m_out - m_writer.buffer()));
    m_out = m_writer.buffer();
    return handed;
}

Outcome Converter::report(Step step, const InputFile& input, const OutputFile& output)
{
    switch (step) {
    case Step::Done:
        return Outcome::Done;
    case Step::EmptyInput:
        complain(input.name() + ": " + std::string(kNoInputMessage));
        return Outcome::EmptyInput;
    case Step::EmptyScript:
        complain(input.name() + ": " + std::string(kNoScriptMessage));
        return Outcome::EmptyInput;
    case Step::BadScript:
        complain(input.name() + ":" + std::to_string(m_scriptError.line) + ":" + std::to_string(m_scriptError.column)
                 + ": " + m_scriptError.message);
        return Outcome::Failed;
    case Step::BadInput:
        complain(input.name() + ": invalid UTF-8 at byte offset " + std::to_string(m_badOffset));
        return Outcome::Failed;
    case Step::ReadError:
        complain(input.name() + ": cannot read: " + std::strerror(m_error));
        return Outcome::Failed;
    case Step::SpoolError:
        complain(input.name() + ": cannot copy it to a temporary file to read it twice: "
                 + std::strerror(m_error));
        return Outcome::Failed;
    case Step::NoLabel:
        complain(input.name() + ": every heredoc label up to the largest is closed by a line of it");
        return Outcome::Failed;
    case Step::WriteError:
        complain(output.name() + ": cannot write: " + std::strerror(output.error()));
        return Outcome::Failed;
    }
    return Outcome::Failed;
}

}  // namespace tagora::cli

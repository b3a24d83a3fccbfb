#include "conversion.h"

#include "character_listing.h"
#include "html_encoding.h"
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
// Text in another encoding goes in pieces whose UTF-8 fits in kReadSize.
constexpr std::size_t kTranscodedPiece = (kReadSize - 32) / 3;
static_assert(Transcoder::maxFeedSize(kTranscodedPiece) <= kReadSize);
// The output goes out in writes of at least this size (and at the end).
constexpr std::size_t kWriteSize = std::size_t{512} << 10;

}  // namespace

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
std::size_t outputCapacity(Output output, Escaping escaping)
{
    const Producer producer(output, escaping);
    return kWriteSize + producer.maxFeedSize(kTextSize) + 2 * ScriptStream<char>::kMaxFrameSize;
}

// Why a page was read as Windows-1252, as the window tells it.
std::string whyGuessed(const std::string& label)
{
    if (label.empty())
        return "it is not UTF-8 and names no character set of its own";
    const std::optional<std::string_view> named = html::encodingForLabel(label);
    const std::string quoted = "\"" + label + "\"";
    if (named == html::kUtf8)
        return "it declares the character set " + quoted + " but is not valid UTF-8";
    if (named == html::kUtf16LE || named == html::kUtf16BE)
        return "it declares " + quoted + ", which browsers take for UTF-8 in a page without a byte-order mark, but it is not valid UTF-8";
    if (named == html::kReplacement)
        return "it is not UTF-8 and names " + quoted + ", a character set browsers refuse to read";
    return "it is not UTF-8 and names " + quoted + ", a character set browsers do not know";
}

}  // namespace

Converter::Converter(Output output, Escaping escaping)
    : m_output(output), m_escaping(escaping), m_writer(outputCapacity(output, escaping))
{
    m_input = buffer(kReadSize);
    m_text = buffer(kTextSize);
    m_transcoded = buffer(kReadSize);
}

Outcome Converter::convert(InputFile& input, OutputFile& output)
{
    Step step = prepare(input, output);
    if (step == Step::Done)
        step = stream(input, output);
    if (input.changed())  // which may be why the step failed
        step = Step::InputChanged;
    if (step == Step::Done && !output.commit())
        step = Step::WriteError;
    if (step != Step::Done)
        output.discard();
    else
        noteHowRead(input);
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

// Strict UTF-8 is checked whole before a direct output gets anything, when
// the input can be read twice; another encoding is chosen first.
Converter::Step Converter::prepare(InputFile& input, const OutputFile& output)
{
    m_choice.reset();
    m_transcoder.reset();
    if (!m_encoding.empty())
        return chooseEncoding(input);
    if (!output.isDirect() || !input.isRegular())
        return Step::Done;
    const Step step = validate(input);
    return step == Step::Done ? rewind(input) : step;
}

// --encoding auto, in the browsers' order (html_encoding.h). Telling
// UTF-8 takes the whole input: one that cannot be read twice is copied.
Converter::Step Converter::chooseEncoding(InputFile& input)
{
    if (m_encoding != kAutoEncoding)
        return encodingOrMark(input);
    if (!input.isRegular() && !input.keepCopy()) {
        m_error = errno;
        return Step::CopyError;
    }
    const std::optional<std::string_view> head = input.head(html::kSniffSize);
    if (!head) {
        m_error = errno;
        return Step::ReadError;
    }
    const std::string start(*head);
    m_choice = html::markedEncoding(start);
    if (m_choice)
        return startTranscoding(input);
    const Step step = validate(input);
    if (step != Step::Done && step != Step::BadInput)
        return step;
    m_choice = html::unmarkedEncoding(start, step == Step::Done);
    if (const Step rewound = rewind(input); rewound != Step::Done)
        return rewound;
    return m_choice->source == html::EncodingSource::Utf8 ? Step::Done : startTranscoding(input);
}

// --encoding NAME: a byte-order mark still decides, as in browsers.
Converter::Step Converter::encodingOrMark(InputFile& input)
{
    const std::optional<std::string_view> head = input.head(3);
    if (!head) {
        m_error = errno;
        return Step::ReadError;
    }
    const std::optional<html::ByteOrderMark> mark = html::byteOrderMark(*head);
    m_choice = mark ? html::EncodingChoice{mark->encoding, html::EncodingSource::ByteOrderMark, mark->size, {}}
                    : html::EncodingChoice{m_encoding, html::EncodingSource::Declared, 0, {}};
    return startTranscoding(input);
}

Converter::Step Converter::startTranscoding(InputFile& input)
{
    input.skipStart(m_choice->markSize);
    m_transcoder.emplace();
    return m_transcoder->open(m_choice->encoding) ? Step::Done : Step::NoConverter;
}

// A whole pass over the input, before anything is written. The next pass
// decodes again: the file may change in between.
Converter::Step Converter::validate(InputFile& input)
{
    Utf8Validator validator;
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
    return Step::Done;
}

// Back to the start for the next pass, unless the input changed in this
// one.
Converter::Step Converter::rewind(InputFile& input)
{
    if (input.changed())
        return Step::InputChanged;
    if (input.rewind())
        return Step::Done;
    m_error = errno;
    return Step::ReadError;
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
    Utf8InputDecoder decoder(!m_transcoder);  // a transcoder has taken any mark away
    Producer producer(m_output, m_escaping);
    m_out = m_writer.buffer();
    m_begun = false;
    const Step read = eachBlock(input, [&](std::string_view block) {
        return produceBlock(block, decoder, producer, input, output);
    });
    if (read != Step::Done)
        return read;
    if (m_transcoder) {
        const std::string_view rest(m_transcoded.get(), m_transcoder->finish(m_transcoded.get()));
        if (const Step step = producePiece(rest, decoder, producer, input, output); step != Step::Done)
            return step;
    }
    if (!decoder.finish()) {
        m_badOffset = decoder.errorOffset();
        return Step::BadInput;
    }
    if (!m_begun)
        return Step::EmptyInput;
    m_out = producer.finish(m_out);
    return handOverOutput(input, output);
}

// Pieces of UTF-8 of at most kReadSize bytes; text in another encoding is
// turned into such pieces first.
Converter::Step Converter::produceBlock(std::string_view block, Utf8InputDecoder& decoder,
                                        Producer& producer, const InputFile& input, OutputFile& output)
{
    const std::size_t pieceSize = m_transcoder ? kTranscodedPiece : kReadSize;
    for (std::size_t at = 0; at < block.size(); at += pieceSize) {
        std::string_view piece = block.substr(at, pieceSize);
        if (m_transcoder)
            piece = std::string_view(m_transcoded.get(), m_transcoder->feed(piece, m_transcoded.get()));
        if (const Step step = producePiece(piece, decoder, producer, input, output); step != Step::Done)
            return step;
    }
    return Step::Done;
}

Converter::Step Converter::producePiece(std::string_view piece, Utf8InputDecoder& decoder,
                                        Producer& producer, const InputFile& input, OutputFile& output)
{
    const auto text = decoder.decode(piece, m_text.get());
    if (!text) {
        m_badOffset = decoder.errorOffset();
        return Step::BadInput;
    }
    if (!text->empty()) {
        if (!m_begun)
            m_out = producer.begin(m_out);
        m_begun = true;
        m_out = producer.feed(*text, m_out);
    }
    if (static_cast<std::size_t>(m_out - m_writer.buffer()) >= kWriteSize)
        return handOverOutput(input, output);
    return Step::Done;
}

// Nothing read from an input that changed meanwhile goes out.
Converter::Step Converter::handOverOutput(const InputFile& input, OutputFile& output)
{
    if (input.changed())
        return Step::InputChanged;
    const bool handed = m_writer.handOver(output, static_cast<std::size_t>(m_out - m_writer.buffer()));
    m_out = m_writer.buffer();
    return handed ? Step::Done : Step::WriteError;
}

// Tells on standard error what the window would tell in a message box.
void Converter::noteHowRead(const InputFile& input) const
{
    if (!m_choice)
        return;
    const std::string encoding(m_choice->encoding);
    if (m_choice->source == html::EncodingSource::UnmarkedUtf16)
        complain(input.name() + ": read as " + encoding + ": no byte-order mark, but its first characters show it");
    if (m_choice->source == html::EncodingSource::Guessed)
        complain(input.name() + ": read as Windows-1252: " + whyGuessed(m_choice->ignoredLabel));
    if (m_transcoder && m_transcoder->replaced())
        complain(input.name() + ": some bytes are not valid " + encoding + ": each became U+FFFD");
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
    case Step::CopyError:
        complain(input.name() + ": cannot keep a copy to read it twice: " + std::strerror(m_error));
        return Outcome::Failed;
    case Step::InputChanged:
        complain(input.name() + ": changed while it was read");
        return Outcome::Failed;
    case Step::NoConverter:
        complain(input.name() + ": cannot read: this system has no converter for " + std::string(m_choice->encoding));
        return Outcome::Failed;
    case Step::WriteError:
        if (output.isStandardOutput() && output.error() == EPIPE)
            endByBrokenPipe();
        complain(output.name() + ": cannot write: " + output.problem());
        return Outcome::Failed;
    }
    return Outcome::Failed;
}

}  // namespace tagora::cli

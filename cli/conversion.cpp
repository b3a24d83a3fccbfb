#include "conversion.h"

#include "input_text/character_listing.h"
#include "script_writer/heredoc_label.h"
#include "input_text/decoder_names.h"
#include "input_text/html_encoding.h"
#include "input_text/input_text.h"
#include "script_writer/script_generator.h"
#include "script_reader/script_reader.h"
#include "script_reader/php_template.h"
#include "script_reader/script_to_html.h"
#include "included_files.h"
#include "script_reader/write_report.h"
#include "transcoder.h"
#include "input_text/utf8.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

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

// The script, the listing or the HTML, whichever the command line asks for.
class Producer {
public:
    Producer(const Options& options, std::string_view label)
    {
        if (options.output == Output::Script)
            m_script.emplace(options.target, options.escaping, label,
                             options.literal ? Form::Literal : Form::Script, options.script);
        else if (options.output == Output::Html)
            m_reader.emplace(options.from, options.literal ? Form::Literal : Form::Script);
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

// The next piece of a block, at most kReadSize bytes: where it can, it
// ends between characters and not inside a CR LF pair, so that the input
// text of most pieces is the piece itself.
std::size_t pieceSize(std::string_view rest)
{
    if (rest.size() <= kReadSize)
        return rest.size();
    std::size_t size = kReadSize;
    for (int back = 0; back < 3 && (static_cast<unsigned char>(rest[size]) & 0xC0) == 0x80; ++back)
        --size;
    if (rest[size - 1] == '\r' && rest[size] == '\n')
        --size;
    return size;
}

std::unique_ptr<char[]> buffer(std::size_t size)
{
    return std::make_unique_for_overwrite<char[]>(size);
}

}  // namespace

namespace {

thread_local std::string* t_messages = nullptr;

}  // namespace

void complain(const std::string& message)
{
    std::string line = "tagora-convert: " + message + "\n";
    if (t_messages) {
        *t_messages += line;
        return;
    }
    [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, line.data(), line.size());
}

MessagesKept::MessagesKept(std::string& messages)
    : m_before(std::exchange(t_messages, &messages))
{
}

MessagesKept::~MessagesKept()
{
    t_messages = m_before;
}

namespace {

// Room for a large piece of output and all that one more input piece can
// add to it.
std::size_t outputCapacity(const Options& options)
{
    const Producer producer(options, kHeredocLabelStem);
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

std::string percent(std::size_t part, std::size_t whole)
{
    return std::to_string(whole == 0 ? 100 : part * 100 / whole) + "%";
}

// "page.asp: asp template: 12 Response.Write, 10 converted (1 of them
// kept whole in an expression), 2 left as code; 95% of the text they
// write is now HTML (1234 of 1300 bytes)".
std::string reportLine(const std::string& name, Target language, const WriteReport& report)
{
    const bool asp = language == Target::Asp;
    if (language == Target::Jsp)
        return name + ": jsp template\n";
    const std::size_t html = report.writtenText - std::min(report.textLeftInCode, report.writtenText);
    return name + ": " + (asp ? "asp" : "php") + " template: " + std::to_string(report.writes)
           + (asp ? " Response.Write, " : " echo/print, ") + std::to_string(report.writesConverted())
           + " converted (" + std::to_string(report.keptWhole) + " of them kept whole in an expression), "
           + std::to_string(report.writesLeft) + " left as code; "
           + percent(html, report.writtenText) + " of the text they write is now HTML (" + std::to_string(html)
           + " of " + std::to_string(report.writtenText) + " bytes)\n";
}

// "page.php:12:5: `menu()` may print or stop the page: ...", a line per note.
std::string explanationLines(const std::string& name, const WriteNotes& notes)
{
    std::string lines;
    for (const WriteNote& note : notes)
        lines += name + ":" + std::to_string(note.line) + ":" + std::to_string(note.column) + ": " + note.reason + "\n";
    return lines;
}

}  // namespace

Converter::Converter(const Options& options)
    : m_options(options), m_writer(outputCapacity(options))
{
    m_input = buffer(kInputBlockSize);
    m_text = buffer(kTextSize);
    m_transcoded = buffer(kReadSize);
}

Outcome Converter::convert(InputFile& input, OutputFile& output)
{
    m_explanation.clear();
    m_label = kHeredocLabelStem;
    m_report = input.name() + ": one of this program's scripts, read back exactly\n";
    Step step = chooseEncoding(input);
    if (step == Step::Done)
        step = firstPass(input, output);
    if (step == Step::Done && m_options.output == Output::Html && !m_exactScript)
        step = writeTemplate(input, output);
    else if (step == Step::Done)
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
        const auto block = input.nextBlock(m_input.get(), kInputBlockSize);
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

// Every piece of the input as UTF-8, of at most kReadSize bytes: the bytes
// as they are, or turned into UTF-8 by a transcoder made for this pass.
template <class Handler>
Converter::Step Converter::eachPiece(InputFile& input, Handler handle)
{
    if (!m_transcoding) {
        return eachBlock(input, [&](std::string_view block) {
            for (std::size_t at = 0; at < block.size();) {
                const std::size_t size = pieceSize(block.substr(at));
                if (const Step step = handle(block.substr(at, size)); step != Step::Done)
                    return step;
                at += size;
            }
            return Step::Done;
        });
    }
    Transcoder transcoder;
    if (!transcoder.open(m_choice->encoding))
        return Step::NoConverter;
    const Step read = eachBlock(input, [&](std::string_view block) {
        for (std::size_t at = 0; at < block.size(); at += kTranscodedPiece) {
            char* const end = transcoder.feed(block.substr(at, kTranscodedPiece), m_transcoded.get());
            if (const Step step = handle(std::string_view(m_transcoded.get(), end)); step != Step::Done)
                return step;
        }
        return Step::Done;
    });
    if (read != Step::Done)
        return read;
    char* const end = transcoder.finish(m_transcoded.get());
    m_replaced = m_replaced || transcoder.replaced();
    return end == m_transcoded.get() ? Step::Done : handle(std::string_view(m_transcoded.get(), end));
}

// With --encoding: the encoding of this input, and where its text begins.
Converter::Step Converter::chooseEncoding(InputFile& input)
{
    m_choice.reset();
    m_transcoding = false;
    m_checked = false;
    m_replaced = false;
    if (m_options.encoding.empty())
        return Step::Done;
    return m_options.encoding == kAutoEncoding ? findEncoding(input) : encodingOrMark(input);
}

// --encoding auto, in the browsers' order (html_encoding.h). Telling
// UTF-8 takes the whole input: one that cannot be read twice is copied.
Converter::Step Converter::findEncoding(InputFile& input)
{
    if (!input.isRegular() && !input.spool()) {
        m_error = errno;
        return Step::SpoolError;
    }
    const std::optional<std::string_view> head = input.head(html::kSniffSize);
    if (!head) {
        m_error = errno;
        return Step::ReadError;
    }
    const std::string start(*head);
    if (std::optional<html::EncodingChoice> marked = html::markedEncoding(start))
        return useEncoding(input, std::move(*marked));
    const Step step = validate(input);
    if (step != Step::Done && step != Step::BadInput)
        return step;
    m_checked = step == Step::Done;
    if (const Step rewound = rewind(input); rewound != Step::Done)
        return rewound;
    return useEncoding(input, html::unmarkedEncoding(start, m_checked));
}

// --encoding NAME: a byte-order mark still decides, as in browsers.
Converter::Step Converter::encodingOrMark(InputFile& input)
{
    const std::optional<std::string_view> head = input.head(3);
    if (!head) {
        m_error = errno;
        return Step::ReadError;
    }
    if (const std::optional<html::ByteOrderMark> mark = html::byteOrderMark(*head))
        return useEncoding(input, {mark->encoding, html::EncodingSource::ByteOrderMark, mark->size, {}});
    return useEncoding(input, {m_options.encoding, html::EncodingSource::Declared, 0, {}});
}

// Valid UTF-8 is read as usual; anything else through a transcoder.
Converter::Step Converter::useEncoding(InputFile& input, html::EncodingChoice choice)
{
    input.skipStart(choice.markSize);
    m_transcoding = choice.source != html::EncodingSource::Utf8;
    m_choice = std::move(choice);
    Transcoder available;
    return !m_transcoding || available.open(m_choice->encoding) ? Step::Done : Step::NoConverter;
}

bool Converter::needsLabel() const
{
    return m_options.output == Output::Script && needsHeredocLabel(m_options.target);
}

// The input is read once before the output is produced: to check it when
// the output goes straight out, or to choose a heredoc label (a pipe is
// first copied to a temporary file for that). Afterwards it is read again
// from the start.
Converter::Step Converter::firstPass(InputFile& input, const OutputFile& output)
{
    Step step = Step::Done;
    const bool html = m_options.output == Output::Html;
    if (needsLabel() || html || m_options.literal) {
        if (!input.isRegular() && !input.spool()) {
            m_error = errno;
            return Step::SpoolError;
        }
        if (html)
            step = checkScript(input);
        else if (needsLabel())
            step = findLabel(input);
        else if (!m_transcoding)
            step = validate(input);
    } else if (output.isDirect() && input.isRegular() && !m_transcoding && !m_checked) {
        step = validate(input);
    } else {
        return Step::Done;
    }
    return step == Step::Done ? rewind(input) : step;
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

// The first heredoc label that no line of the input text closes.
Converter::Step Converter::findLabel(InputFile& input)
{
    Utf8InputDecoder decoder(!m_transcoding);  // a transcoder has taken any mark away
    HeredocLabelScan<char> scan;
    const Step read = eachPiece(input, [&](std::string_view piece) {
        const auto text = decoder.decode(piece, m_text.get());
        if (!text) {
            m_badOffset = decoder.errorOffset();
            return Step::BadInput;
        }
        scan.feed(*text);
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
    // A literal of a named language streams too; else every language's
    // reading of it is compared, in memory.
    ScriptReader reader(m_options.from, m_options.literal ? Form::Literal : Form::Script);
    bool exact = !m_options.literal || m_options.from.has_value();
    std::uint64_t size = 0;
    const Step read = eachPiece(input, [&](std::string_view piece) {
        size += piece.size();
        if (!validator.feed(piece)) {
            m_badOffset = validator.errorOffset();
            return Step::BadInput;
        }
        exact = exact && reader.feed(piece, m_writer.buffer()) != nullptr;
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
// template of a PHP or ASP file, or the text of a literal, written at once.
Converter::Step Converter::writeTemplate(InputFile& input, OutputFile& output)
{
    std::string script;
    const auto append = [&](std::string_view piece) {
        script.append(piece);
        return Step::Done;
    };
    const bool bytes = keepsFileBytes();
    const Step read = bytes ? eachBlock(input, append) : eachPiece(input, append);
    if (read == Step::Done && input.changed())
        return Step::InputChanged;
    if (read != Step::Done)
        return read;
    if (bytes) {
        if (!m_options.literal) {
            HtmlFromScript made = htmlFromScript(script, m_options.from, includeReader(input), phpIncludeReader(input),
                                                  m_options.explain);
            if (templateKeepsFileBytes(made, m_choice->encoding))
                return writeFileBytesTemplate(script, std::move(made), input, output);
        }
        std::optional<std::string> text = transcoded(script);
        if (!text)
            return Step::NoConverter;
        script = std::move(*text);
    }
    const HtmlFromScript html = m_options.literal ? htmlFromLiteral(script)
                                                  : htmlFromScript(script, m_options.from, includeReader(input), phpIncludeReader(input),
                                                  m_options.explain);
    if (!html.html) {
        m_scriptError = html.error;
        return Step::BadScript;
    }
    m_report = reportLine(input.name(), *html.target, writeReport(script, *html.html, *html.target));
    if (m_options.explain)
        m_explanation = explanationLines(input.name(), html.notes);
    if (!html.exact && !m_options.literal && !writeMarkSkipped(output))
        return Step::WriteError;
    return output.write(html.html->data(), html.html->size()) ? Step::Done : Step::WriteError;
}

// A UTF-8 byte-order mark read as the encoding's sign is still the first
// text of a PHP, ASP or JSP page, which its server sees as the template's:
// PHP prints it. (A mark before one of this program's scripts, or before
// HTML, only names the encoding.)
bool Converter::writeMarkSkipped(OutputFile& output) const
{
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    const bool skipped = m_choice && m_choice->source == html::EncodingSource::ByteOrderMark
                         && m_choice->encoding == html::kUtf8;
    return !skipped || output.write(kUtf8Mark.data(), kUtf8Mark.size());
}

HtmlFromScript Converter::htmlFromLiteral(std::string_view literal) const
{
    ReadScript read = readLiteral(literal, m_options.from);
    return {std::move(read.printed), std::move(read.error), read.target, true, {}};
}

// A file transcoded from an encoding other than UTF-16 is first read as
// bytes, for templateKeepsFileBytes (ASP reads a page in its code page and
// writes strings back in it, sending HTML text as it is).
bool Converter::keepsFileBytes() const
{
    return m_transcoding && m_choice && m_choice->encoding != html::kUtf16LE && m_choice->encoding != html::kUtf16BE;
}

// The template in the file's encoding, or with --output-encoding=utf-8 in
// UTF-8, with a warning for each place where code holds bytes beyond ASCII.
Converter::Step Converter::writeFileBytesTemplate(std::string_view script, HtmlFromScript made, const InputFile& input,
                                                  OutputFile& output)
{
    if (!made.html) {
        m_scriptError = made.error;
        return Step::BadScript;
    }
    m_report = reportLine(input.name(), *made.target, writeReport(script, *made.html, *made.target));
    if (m_options.explain)
        m_explanation = explanationLines(input.name(), made.notes);
    if (!writeMarkSkipped(output))
        return Step::WriteError;
    if (m_options.outputEncoding.empty())
        return output.write(made.html->data(), made.html->size()) ? Step::Done : Step::WriteError;
    constexpr std::size_t kMostWarnings = 20;
    const std::vector<ScriptReadError> places = templateCodeBeyondAscii(*made.html, *made.target, kMostWarnings);
    for (const ScriptReadError& place : places)
        complain(input.name() + ": warning: template " + std::to_string(place.line) + ":"
                 + std::to_string(place.column) + ": " + place.message + ", which in UTF-8 may not mean what it meant in "
                 + std::string(m_choice->encoding));
    if (places.size() == kMostWarnings)
        complain(input.name() + ": warning: more such places not shown");
    const std::optional<std::string> text = transcoded(*made.html);
    if (!text)
        return Step::NoConverter;
    return output.write(text->data(), text->size()) ? Step::Done : Step::WriteError;
}

// Bytes in this input's encoding as UTF-8.
std::optional<std::string> Converter::transcoded(std::string_view bytes)
{
    Transcoder transcoder;
    if (!transcoder.open(m_choice->encoding))
        return std::nullopt;
    std::string text;
    for (std::size_t at = 0; at < bytes.size(); at += kTranscodedPiece) {
        char* const end = transcoder.feed(bytes.substr(at, kTranscodedPiece), m_transcoded.get());
        text.append(m_transcoded.get(), end);
    }
    char* const end = transcoder.finish(m_transcoded.get());
    text.append(m_transcoded.get(), end);
    m_replaced = m_replaced || transcoder.replaced();
    return text;
}

// The files an ASP page includes are found from its folder, or from
// --root for standard input.
AspIncludeReader Converter::includeReader(const InputFile& input) const
{
    if (input.isStandardInput() && m_options.root.empty())
        return {};
    const std::string page = input.isStandardInput() ? m_options.root + "/-" : input.name();
    return [page, root = m_options.root](std::string_view text) { return readIncludedFiles(text, page, root); };
}

// The files a PHP page includes, found as PHP finds them.
PhpIncludeReader Converter::phpIncludeReader(const InputFile& input) const
{
    if (input.isStandardInput() && m_options.root.empty())
        return {};
    const std::string page = input.isStandardInput() ? m_options.root + "/-" : input.name();
    return [page, root = m_options.root](std::string_view text) { return readPhpIncludedFiles(text, page, root); };
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
    Utf8InputDecoder decoder(!m_transcoding);  // a transcoder has taken any mark away
    Producer producer(m_options, m_label);
    m_out = m_writer.buffer();
    m_begun = false;
    const Step read = eachPiece(input, [&](std::string_view piece) {
        return producePiece(piece, decoder, producer, input, output);
    });
    if (read != Step::Done)
        return read;
    if (!decoder.finish()) {
        m_badOffset = decoder.errorOffset();
        return Step::BadInput;
    }
    if (!m_begun && m_options.literal) {  // the empty literal
        m_out = producer.begin(m_out);
        m_begun = true;
    }
    if (!m_begun)
        return Step::EmptyInput;
    m_out = producer.finish(m_out);
    if (!m_out) {
        m_scriptError = producer.readError();
        return Step::BadScript;
    }
    return handOverOutput(input, output, true);
}

// A script read back to HTML is taken as it is (the first pass checked
// it); any other input is decoded into the input text.
Converter::Step Converter::producePiece(std::string_view piece, Utf8InputDecoder& decoder,
                                        Producer& producer, const InputFile& input, OutputFile& output)
{
    const bool asItIs = m_options.output == Output::Html || m_options.literal;
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
    if (static_cast<std::size_t>(m_out - m_writer.buffer()) >= kWriteSize)
        return handOverOutput(input, output);
    return Step::Done;
}

// Nothing read from an input that changed meanwhile goes out.
Converter::Step Converter::handOverOutput(const InputFile& input, OutputFile& output, bool last)
{
    if (input.changed())
        return Step::InputChanged;
    const bool handed = m_writer.handOver(output, static_cast<std::size_t>(m_out - m_writer.buffer()), last);
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
    if (m_replaced)
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

// The engine's functions as WebAssembly exports, for web/tagora_api.js.
// Texts come in as UTF-8 or UTF-16 code units that the JavaScript side has
// written into the module's memory; each call leaves its result (text,
// error or encoding) here until the next call reads it.
#include "input_text/character_listing.h"
#include "input_text/html_encoding.h"
#include "input_text/input_text.h"
#include "input_text/utf8.h"
#include "script_reader/script_reader.h"
#include "script_reader/script_to_html.h"
#include "script_writer/credits.h"
#include "script_writer/heredoc_label.h"
#include "script_writer/script_generator.h"
#include "script_writer/script_stream.h"
#include "script_writer/string_literal.h"
#include "script_writer/targets.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#if defined(__wasm_simd128__)
#include <wasm_simd128.h>
#endif

namespace {

using namespace tagora;

// The last call's result.
struct Result {
    std::string bytes;        // UTF-8 text, or UTF-16 code units as bytes
    ScriptReadError error;    // of toHtml
    int target = -1;          // the language toHtml read
    bool exact = false;
    html::EncodingChoice encoding;
} g_result;

// The UTF-8 of well-formed UTF-16 at out (room for 3 bytes a unit); a
// lone surrogate becomes bytes that are not well-formed, which the input
// decoder then refuses.
char* utf8FromUtf16(const char16_t* in, const char16_t* end, char* out)
{
    while (in < end) {
#if defined(__wasm_simd128__)
        // Sixteen units of ASCII at a time, narrowed to bytes.
        for (; end - in >= 16; in += 16, out += 16) {
            const v128_t low = wasm_v128_load(in);
            const v128_t high = wasm_v128_load(in + 8);
            if (wasm_v128_any_true(wasm_v128_and(wasm_v128_or(low, high), wasm_i16x8_splat(0xFF80))))
                break;
            wasm_v128_store(out, wasm_u8x16_narrow_i16x8(low, high));
        }
        if (in == end)
            break;
#endif
        const char16_t unit = *in++;
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
            continue;
        }
        char32_t codePoint = unit;
        if ((unit & 0xFC00) == 0xD800 && in < end && (*in & 0xFC00) == 0xDC00)
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (*in++ - 0xDC00);
        out = utf8::encode(codePoint, out);
    }
    return out;
}

// The input text of a text that comes block by block: JavaScript writes
// each block into input(), either UTF-16 units (a surrogate pair kept
// whole; a leading U+FEFF is a character) or UTF-8 bytes, cut anywhere (a
// leading byte-order mark is skipped, as tagora-convert skips it).
class BlockDecoder {
public:
    enum class Units { Utf16, Utf8 };

    BlockDecoder(Units units, std::size_t blockUnits)
        : m_units(units),
          m_decoder(units == Units::Utf8),
          m_input(new char[2 * blockUnits]),
          m_utf8(units == Units::Utf16 ? new char[3 * blockUnits] : nullptr),
          m_text(new char[maxTextSize(blockUnits)])
    {
    }

    // The most bytes of input text a block gives.
    static constexpr std::size_t maxTextSize(std::size_t blockUnits) { return Utf8InputDecoder::maxFeedSize(3 * blockUnits); }

    void* input() { return m_input.get(); }
    // The input text of the input's first size units, as UTF-8;
    // std::nullopt when they are not well-formed.
    std::optional<std::string_view> decode(std::size_t size)
    {
        if (m_units == Units::Utf8)
            return m_decoder.decode({m_input.get(), size}, m_text.get());
        const auto* units = reinterpret_cast<const char16_t*>(m_input.get());
        const char* const end = utf8FromUtf16(units, units + size, m_utf8.get());
        return m_decoder.decode({m_utf8.get(), static_cast<std::size_t>(end - m_utf8.get())}, m_text.get());
    }
    // False when the text ends inside a character.
    bool finish() { return m_decoder.finish(); }
    // Of UTF-8 input: where the ill-formed sequence starts, from 0.
    std::uint64_t errorOffset() const { return m_decoder.errorOffset(); }

private:
    Units m_units;
    Utf8InputDecoder m_decoder;
    std::unique_ptr<char[]> m_input;
    std::unique_ptr<char[]> m_utf8;
    std::unique_ptr<char[]> m_text;
};

// A script made block by block, each piece of it taken from output()
// before the next block: a large text never lies in memory whole, and each
// block and piece stays in the processor's cache while it is handled.
class BlockConversion {
public:
    BlockConversion(BlockDecoder::Units units, std::size_t blockUnits, Target target, Escaping escaping,
                    std::string_view label, const ScriptOptions& options)
        : m_decoder(units, blockUnits),
          m_stream(target, escaping, label, Form::Script, options),
          m_output(new char[std::max(m_stream.maxFeedSize(BlockDecoder::maxTextSize(blockUnits)),
                                     ScriptStream<char>::kMaxFrameSize)])
    {
    }

    void* input() { return m_decoder.input(); }
    const char* output() const { return m_output.get(); }
    std::uint64_t errorOffset() const { return m_decoder.errorOffset(); }

    // The header; the size of the output.
    std::size_t begin() { return sizeOf(m_stream.begin(m_output.get())); }
    // The script of the input's first size units; -1 when they are not
    // well-formed.
    long feed(std::size_t size)
    {
        const std::optional<std::string_view> text = m_decoder.decode(size);
        return text ? static_cast<long>(sizeOf(m_stream.feed(*text, m_output.get()))) : -1;
    }
    // The end of the text and the footer; -1 when the text ends inside a
    // character.
    long finish() { return m_decoder.finish() ? static_cast<long>(sizeOf(m_stream.finish(m_output.get()))) : -1; }

private:
    std::size_t sizeOf(const char* end) const { return static_cast<std::size_t>(end - m_output.get()); }

    BlockDecoder m_decoder;
    ScriptStream<char> m_stream;
    std::unique_ptr<char[]> m_output;
};

// The heredoc label of a text that comes block by block, for the targets
// that need one (php-nowdoc).
class BlockLabelScan {
public:
    BlockLabelScan(BlockDecoder::Units units, std::size_t blockUnits) : m_decoder(units, blockUnits) {}

    void* input() { return m_decoder.input(); }
    std::uint64_t errorOffset() const { return m_decoder.errorOffset(); }
    // False when the input's first size units are not well-formed.
    bool feed(std::size_t size)
    {
        const std::optional<std::string_view> text = m_decoder.decode(size);
        if (text)
            m_scan.feed(*text);
        return text.has_value();
    }
    // The label once every block is fed; none for a text that ends inside
    // a character (see wellFormed()) or whose lines close every label.
    std::optional<std::string> label()
    {
        m_wellFormed = m_decoder.finish();
        return m_wellFormed ? m_scan.label() : std::nullopt;
    }
    bool wellFormed() const { return m_wellFormed; }
    // The label of the text fed so far, as if it ended there.
    std::optional<std::string> labelSoFar() const { return m_scan.label(); }

private:
    BlockDecoder m_decoder;
    HeredocLabelScan<char> m_scan;
    bool m_wellFormed = false;
};

std::string g_label;      // the last one a scan found
ScriptOptions g_options;  // of the scripts made from now on

BlockDecoder::Units unitsOf(int utf8)
{
    return utf8 ? BlockDecoder::Units::Utf8 : BlockDecoder::Units::Utf16;
}

void keepUtf16(std::u16string_view text)
{
    g_result.bytes.assign(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

std::u16string inputTextOf(std::u16string_view text)
{
    std::u16string normalized(normalizedInputSize(text), u'\0');
    normalizeInputText(text, normalized.data());
    return normalized;
}

// The input text of well-formed UTF-8, a leading U+FEFF kept as a
// character: the bytes themselves when they need no change, else written
// into room; std::nullopt for ill-formed bytes.
std::optional<std::string_view> inputTextOf(std::string_view utf8, std::unique_ptr<char[]>& room)
{
    Utf8InputDecoder decoder(false);
    room.reset(new char[Utf8InputDecoder::maxFeedSize(utf8.size())]);  // not filled: most texts need no change
    const std::optional<std::string_view> decoded = decoder.decode(utf8, room.get());
    if (!decoded || !decoder.finish())
        return std::nullopt;
    return decoded;
}

std::optional<Target> targetAt(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= targets().size())
        return std::nullopt;
    return targets()[static_cast<std::size_t>(index)].target;
}

Escaping escapingOf(int classic)
{
    return classic ? Escaping::Classic : Escaping::Exact;
}

void appendJsonString(std::string& json, std::string_view text)
{
    json += '"';
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            json += c == '\r' ? "\\r" : "\\n";
            continue;
        }
        if (c == '"' || c == '\\')
            json += '\\';
        json += c;
    }
    json += '"';
}

void appendField(std::string& json, std::string_view name, std::string_view value)
{
    appendJsonString(json, name);
    json += ':';
    appendJsonString(json, value);
}

// A script read back as the result: 1 with its HTML, or 0 with the
// error's place; its language and whether it was read exactly either way.
int keepHtml(HtmlFromScript made)
{
    g_result.target = made.target ? static_cast<int>(*made.target) : -1;
    g_result.exact = made.exact;
    if (!made.html) {
        g_result.error = std::move(made.error);
        g_result.bytes = g_result.error.message;
        return 0;
    }
    g_result.bytes = std::move(*made.html);
    return 1;
}

}  // namespace

extern "C" {

const char* tagora_result_data()
{
    return g_result.bytes.data();
}

std::size_t tagora_result_size()
{
    return g_result.bytes.size();
}

// The targets and the credits, as JSON.
int tagora_info()
{
    std::string json = "{";
    appendField(json, "productName", credits::kProductName);
    json += ',';
    appendField(json, "version", credits::kVersion);
    json += ',';
    appendField(json, "productTitle", credits::kProductTitle);
    json += ',';
    appendField(json, "developerCredit", credits::developerCredit());
    json += ',';
    appendField(json, "creditLine", credits::creditLine());
    json += ",\"targets\":[";
    for (const TargetInfo& info : targets()) {
        json += json.back() == '[' ? "{" : ",{";
        appendField(json, "name", info.name);
        json += ',';
        appendField(json, "title", info.title);
        json += ',';
        appendField(json, "extension", info.extension);
        json += ',';
        appendField(json, "printedLineBreak", info.printedLineBreak);
        json += ",\"hasClassicEscaping\":";
        json += info.hasClassicEscaping ? "true}" : "false}";
    }
    json += "]}";
    g_result.bytes = std::move(json);
    return 1;
}

// The window's input text of a 16-bit text: every line break CR LF.
int tagora_input_text_utf16(const char16_t* text, std::size_t size)
{
    keepUtf16(inputTextOf({text, size}));
    return 1;
}

// The header comment and the JavaScript constant's name of the scripts
// made from now on; 0, and nothing changed, for a name that cannot be a
// constant's.
int tagora_set_options(int header, const char* name, std::size_t size)
{
    const std::string_view variableName(name, size);
    if (!isValidVariableName(variableName))
        return 0;
    g_options.header = header != 0;
    g_options.variableName = variableName;
    return 1;
}

// The script of the text, as the window makes it, lone surrogates kept;
// 0 for an empty text or one without a heredoc label.
int tagora_script_utf16(int target, int classic, const char16_t* text, std::size_t size)
{
    const std::optional<Target> chosen = targetAt(target);
    if (!chosen)
        return 0;
    const std::optional<std::u16string> written =
        script(*chosen, escapingOf(classic), inputTextOf({text, size}), g_options);
    if (!written)
        return 0;
    keepUtf16(*written);
    return 1;
}

// The script of a text fed block by block, as tagora-convert makes it of
// the text's UTF-8. tagora_blocks_begin gives the conversion, 0 for an
// unknown target; several may go on at once. Its input blocks are UTF-16
// units of a well-formed text (room for blockUnits units) or, with utf8,
// UTF-8 bytes cut anywhere (room for blockUnits bytes). Each call after it
// leaves its piece of the script, as UTF-8, at tagora_blocks_output and
// returns its size, -1 for a text that is not well-formed
// (tagora_blocks_error_offset: where, in UTF-8 bytes); tagora_blocks_end
// ends it. A target that needs a heredoc label takes the one
// tagora_label_scan_finish found last.
int tagora_needs_label(int target)
{
    const std::optional<Target> chosen = targetAt(target);
    return chosen && needsHeredocLabel(*chosen);
}

BlockConversion* tagora_blocks_begin(int target, int classic, int utf8, std::size_t blockUnits)
{
    const std::optional<Target> chosen = targetAt(target);
    if (!chosen)
        return nullptr;
    const std::string_view label = *chosen == Target::PhpNowdoc ? std::string_view(g_label) : kHeredocLabelStem;
    return new BlockConversion(unitsOf(utf8), blockUnits, *chosen, escapingOf(classic), label, g_options);
}

void* tagora_blocks_input(BlockConversion* conversion)
{
    return conversion->input();
}

std::size_t tagora_blocks_header(BlockConversion* conversion)
{
    return conversion->begin();
}

long tagora_blocks_feed(BlockConversion* conversion, std::size_t size)
{
    return conversion->feed(size);
}

long tagora_blocks_finish(BlockConversion* conversion)
{
    return conversion->finish();
}

const char* tagora_blocks_output(BlockConversion* conversion)
{
    return conversion->output();
}

// As a double: JavaScript gets no 64-bit integer from the module.
double tagora_blocks_error_offset(BlockConversion* conversion)
{
    return static_cast<double>(conversion->errorOffset());
}

// The conversion's memory given back.
void tagora_blocks_end(BlockConversion* conversion)
{
    delete conversion;
}

// The first heredoc label no line of a text closes, the text fed block by
// block in the same way: finish gives 1 when there is one, 0 when there is
// none; feed and finish give -1 for a text that is not well-formed.
BlockLabelScan* tagora_label_scan_begin(int utf8, std::size_t blockUnits)
{
    return new BlockLabelScan(unitsOf(utf8), blockUnits);
}

void* tagora_label_scan_input(BlockLabelScan* scan)
{
    return scan->input();
}

int tagora_label_scan_feed(BlockLabelScan* scan, std::size_t size)
{
    return scan->feed(size) ? 1 : -1;
}

int tagora_label_scan_finish(BlockLabelScan* scan)
{
    const std::optional<std::string> label = scan->label();
    g_label = label.value_or("");
    return label ? 1 : scan->wellFormed() ? 0 : -1;
}

// The label of the text fed so far, as if it ended there, for a text
// too long to hold whole: 1 when there is one (the conversions begun from
// now on take it), 0 when there is none. The scan goes on.
int tagora_label_scan_so_far(BlockLabelScan* scan)
{
    const std::optional<std::string> label = scan->labelSoFar();
    if (label)
        g_label = *label;
    return label ? 1 : 0;
}

// The label tagora_label_scan_finish or tagora_label_scan_so_far found
// last, as the result.
void tagora_label_result()
{
    g_result.bytes = g_label;
}

double tagora_label_scan_error_offset(BlockLabelScan* scan)
{
    return static_cast<double>(scan->errorOffset());
}

void tagora_label_scan_end(BlockLabelScan* scan)
{
    delete scan;
}

// Where bytes stop being well-formed UTF-8, from 0; -1 when they are.
double tagora_utf8_error_offset(const char* bytes, std::size_t size)
{
    Utf8Validator validator;
    if (validator.feed({bytes, size}) && validator.finish())
        return -1;
    return static_cast<double>(validator.errorOffset());
}

// The HTML a UTF-8 script prints, or a template; 0 with the error's place
// when it cannot be read. asInputText: the script's line breaks are made
// CR LF first, as in the window's box.
int tagora_to_html(const char* text, std::size_t size, int from, int asInputText)
{
    std::string_view script(text, size);
    std::unique_ptr<char[]> room;
    if (asInputText) {
        const std::optional<std::string_view> input = inputTextOf(script, room);
        if (!input)
            return -1;
        script = *input;
    }
    return keepHtml(htmlFromScript(script, targetAt(from)));
}

// A script file's bytes in a legacy encoding (html::isLegacyEncoding), read
// as tagora-convert reads them: 2 for a template made from the bytes
// themselves, in that encoding (templateKeepsFileBytes: PHP and ASP read a
// page's bytes); 1 when the file is to be read as text, decoded first; 0
// with the error's place when the bytes cannot be read.
int tagora_to_html_file_bytes(const char* bytes, std::size_t size, int from, const char* encoding)
{
    HtmlFromScript made = htmlFromScript(std::string_view(bytes, size), targetAt(from));
    if (!templateKeepsFileBytes(made, encoding))
        return 1;
    return keepHtml(std::move(made)) == 1 ? 2 : 0;
}

// The text as one string literal of the target, as tagora-convert
// --literal writes it: every line break kept as it is. 0 for a nowdoc
// whose text closes every label.
int tagora_literal_utf8(int target, const char* text, std::size_t size)
{
    const std::optional<Target> chosen = targetAt(target);
    if (!chosen)
        return 0;
    std::optional<std::string> literal = stringLiteral(*chosen, std::string_view(text, size));
    if (!literal)
        return 0;
    g_result.bytes = std::move(*literal);
    return 1;
}

// The same for a 16-bit text, lone surrogates kept.
int tagora_literal_utf16(int target, const char16_t* text, std::size_t size)
{
    const std::optional<Target> chosen = targetAt(target);
    if (!chosen)
        return 0;
    const std::optional<std::u16string> literal = stringLiteral(*chosen, std::u16string_view(text, size));
    if (!literal)
        return 0;
    keepUtf16(*literal);
    return 1;
}

// The text of a UTF-8 string literal, as tagora-convert --unescape reads
// it; 0 with the error's place when it cannot be read.
int tagora_from_literal(const char* text, std::size_t size, int from)
{
    ReadScript read = readLiteral(std::string_view(text, size), targetAt(from));
    g_result.target = read.target ? static_cast<int>(*read.target) : -1;
    g_result.exact = true;
    if (!read.printed) {
        g_result.error = std::move(read.error);
        g_result.bytes = g_result.error.message;
        return 0;
    }
    g_result.bytes = std::move(*read.printed);
    return 1;
}

int tagora_read_target()
{
    return g_result.target;
}

int tagora_read_exact()
{
    return g_result.exact;
}

std::size_t tagora_error_line()
{
    return g_result.error.line;
}

std::size_t tagora_error_column()
{
    return g_result.error.column;
}

// The character-code listing of the window's input text of the text.
int tagora_codes_utf16(const char16_t* text, std::size_t size)
{
    const std::u16string listing = characterCodeListing(inputTextOf({text, size}));
    g_result.bytes.assign(listing.begin(), listing.end());  // digits and spaces
    return 1;
}

// How the window reads a file's bytes: the encoding's name is the result;
// the source, the mark's size and a label passed over come separately.
int tagora_choose_encoding(const char* bytes, std::size_t size)
{
    g_result.encoding = html::chooseEncoding({bytes, size});
    g_result.bytes = g_result.encoding.encoding;
    return static_cast<int>(g_result.encoding.source);
}

std::size_t tagora_encoding_mark_size()
{
    return g_result.encoding.markSize;
}

// The label a page declared that could not be followed, as the result.
int tagora_encoding_ignored_label()
{
    g_result.bytes = g_result.encoding.ignoredLabel;
    return 1;
}

}  // extern "C"

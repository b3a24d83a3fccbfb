// The engine's functions as WebAssembly exports, for web/tagora_api.js.
// Texts come in as UTF-8 or UTF-16 code units that the JavaScript side has
// written into the module's memory; each call leaves its result (text,
// error or encoding) here until the next call reads it.
#include "input_text/character_listing.h"
#include "input_text/html_encoding.h"
#include "input_text/input_text.h"
#include "script_reader/script_reader.h"
#include "script_reader/script_to_html.h"
#include "script_writer/credits.h"
#include "script_writer/script_generator.h"
#include "script_writer/string_literal.h"
#include "script_writer/targets.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

// The script of the text, as the window makes it; 0 for an empty text or
// one without a heredoc label.
int tagora_script_utf16(int target, int classic, const char16_t* text, std::size_t size)
{
    const std::optional<Target> chosen = targetAt(target);
    if (!chosen)
        return 0;
    const std::optional<std::u16string> written = script(*chosen, escapingOf(classic), inputTextOf({text, size}));
    if (!written)
        return 0;
    keepUtf16(*written);
    return 1;
}

// The same for well-formed UTF-8, as tagora-convert makes it; -1 for
// ill-formed bytes.
int tagora_script_utf8(int target, int classic, const char* text, std::size_t size)
{
    const std::optional<Target> chosen = targetAt(target);
    std::unique_ptr<char[]> room;
    const std::optional<std::string_view> input = inputTextOf({text, size}, room);
    if (!input)
        return -1;
    if (!chosen)
        return 0;
    std::optional<std::string> written = script(*chosen, escapingOf(classic), *input);
    if (!written)
        return 0;
    g_result.bytes = std::move(*written);
    return 1;
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
    HtmlFromScript html = htmlFromScript(script, targetAt(from));
    g_result.target = html.target ? static_cast<int>(*html.target) : -1;
    g_result.exact = html.exact;
    if (!html.html) {
        g_result.error = std::move(html.error);
        g_result.bytes = g_result.error.message;
        return 0;
    }
    g_result.bytes = std::move(*html.html);
    return 1;
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

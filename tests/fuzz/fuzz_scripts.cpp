// Fuzzes the PHP and ASP script generators in both escapings. For every
// input the script must be five header lines, one statement per line of the
// input (lines cut at CR LF only) and the footer, joined by CR LF; reading
// each statement's string back, with an un-escaper written here from the
// languages' own string rules, must give back its line.
#include "fuzz_check.h"
#include "script_writer/script_generator.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using tagora::Escaping;
using tagora::Target;

namespace {

using Text = std::u16string;
using View = std::u16string_view;
constexpr std::size_t kHeaderLines = 5;  // checked whole by the generator's tests

// Bytes below 0xF0 stand for themselves (all of ASCII and most of
// Latin-1); the top sixteen for characters the generators must carry
// through untouched or treat specially.
Text textFrom(const std::uint8_t* data, std::size_t size)
{
    static constexpr char16_t kWide[16] = {0x20AC, 0x2028, 0x2029, 0xD800, 0xDC00, 0xFFFF, 0xFEFF, 0x00A0,
                                           0x00E9, 0x0000, u'$',   u'%',   u'>',   u'"',   u'\\',  u'\r'};
    Text text;
    for (std::size_t i = 0; i < size; ++i)
        text.push_back(data[i] >= 0xF0 ? kWide[data[i] - 0xF0] : char16_t(data[i]));
    return text;
}

std::vector<Text> splitAtCrLf(View text)
{
    std::vector<Text> pieces(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i).starts_with(u"\r\n"))
            pieces.emplace_back(), ++i;
        else
            pieces.back().push_back(text[i]);
    }
    return pieces;
}

// The string inside  echo "...";  read as PHP reads a double-quoted
// string, allowing only the escapes the generator may write. Exact scripts
// must escape every `$`; classic ones leave it as it is.
std::optional<Text> unescapePhp(View body, Escaping escaping)
{
    const bool exact = escaping == Escaping::Exact;
    Text line;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char16_t c = body[i];
        if (c == u'"' || (c == u'$' && exact))
            return std::nullopt;
        if (c != u'\\') {
            line.push_back(c);
            continue;
        }
        const char16_t next = ++i < body.size() ? body[i] : u'x';
        if (next != u't' && next != u'\\' && next != u'"' && !(next == u'$' && exact))
            return std::nullopt;
        line.push_back(next == u't' ? u'\t' : next);
    }
    return line;
}

// A VBScript expression of string literals ("" inside one stands for a
// quote) and the constants vbCr, vbLf and vbNullChar joined with " & ". No
// literal may hold a line break, a NUL or the ASP block end %>.
std::optional<Text> evaluateAspExact(View expression)
{
    Text line;
    for (bool first = true;; first = false) {
        if (!first && expression.empty())
            return line;
        if (!first && !expression.starts_with(u" & "))
            return std::nullopt;
        expression.remove_prefix(first ? 0 : 3);
        if (expression.starts_with(u"vbCr") && !expression.starts_with(u"vbCrLf")) {
            line.push_back(u'\r');
            expression.remove_prefix(4);
        } else if (expression.starts_with(u"vbLf")) {
            line.push_back(u'\n');
            expression.remove_prefix(4);
        } else if (expression.starts_with(u"vbNullChar")) {
            line.push_back(u'\0');
            expression.remove_prefix(10);
        } else if (expression.starts_with(u'"')) {
            Text literal;
            std::size_t i = 1;
            for (; i < expression.size(); ++i) {
                if (expression[i] == u'"' && !expression.substr(i + 1).starts_with(u'"'))
                    break;
                literal.push_back(expression[i]);
                i += expression[i] == u'"';  // "" stands for one quote
            }
            if (i == expression.size() || literal.find(u"%>") != Text::npos
                || literal.find_first_of(std::u16string_view(u"\r\n\0", 3)) != Text::npos)
                return std::nullopt;
            line += literal;
            expression.remove_prefix(i + 1);
        } else {
            return std::nullopt;
        }
    }
}

// Classic ASP: the line, with every double quote turned into an
// apostrophe, in one literal.
std::optional<Text> evaluateAspClassic(View expression)
{
    if (expression.size() < 2 || !expression.starts_with(u'"') || !expression.ends_with(u'"')
        || expression.substr(1, expression.size() - 2).find(u'"') != View::npos)
        return std::nullopt;
    return Text(expression.substr(1, expression.size() - 2));
}

// The line a statement prints, or nothing when the statement is malformed.
std::optional<Text> readStatement(Target language, Escaping escaping, View statement, bool last)
{
    const bool php = language == Target::Php;
    const View open = php ? u"echo \"" : u"Response.Write(";
    const View close = php ? (last ? u"\";" : u"\\n\";") : (last ? u")" : u") & vbCrLf");
    if (statement.size() < open.size() + close.size() || !statement.starts_with(open)
        || !statement.ends_with(close))
        return std::nullopt;
    const View body = statement.substr(open.size(), statement.size() - open.size() - close.size());
    if (php)
        return unescapePhp(body, escaping);
    return escaping == Escaping::Exact ? evaluateAspExact(body) : evaluateAspClassic(body);
}

void checkScript(Target language, Escaping escaping, View html)
{
    const std::optional<Text> script = tagora::script(language, escaping, html);
    FUZZ_CHECK(script.has_value() == !html.empty());
    if (!script)
        return;
    const std::vector<Text> lines = splitAtCrLf(html);
    const std::vector<Text> output = splitAtCrLf(*script);
    FUZZ_CHECK(output.size() == kHeaderLines + lines.size() + 1);
    FUZZ_CHECK(output[kHeaderLines - 1].empty());
    FUZZ_CHECK(output.back() == (language == Target::Php ? u"?>" : u"%>"));
    const bool classicAsp = language == Target::Asp && escaping == Escaping::Classic;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Text line = lines[i];
        for (char16_t& c : line)
            c = classicAsp && c == u'"' ? u'\'' : c;
        const auto printed = readStatement(language, escaping, output[kHeaderLines + i], i + 1 == lines.size());
        FUZZ_CHECK(printed.has_value() && *printed == line);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Text text = textFrom(data, size);
    const auto buffer = fuzz::exactCopy(View(text));
    for (const Target language : {Target::Php, Target::Asp}) {
        for (const Escaping escaping : {Escaping::Classic, Escaping::Exact})
            checkScript(language, escaping, View(buffer.get(), text.size()));
    }
    return 0;
}

// Fuzzes legacy PHP templates: the input is any text; a legacy script that
// prints it is written here (echo and print, with "." and ",", every kind
// of string and escape, heredoc and nowdoc, PHP_EOL, inline HTML), with
// choices drawn from a generator seeded by the input. The template of that
// script must be the text itself, with "<?" written as <?= '<?' ?> (and a
// line break after that "?>" doubled), and must come out unchanged when
// read again. The input itself, read as a script, must not break the reader.
#include "fuzz_check.h"
#include "script_reader/php_template.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>

namespace {

// Choices drawn from a generator seeded by the input.
struct Choices {
    explicit Choices(std::string_view seed) : random(std::hash<std::string_view>{}(seed)) {}
    unsigned below(unsigned n) { return static_cast<unsigned>(random() % n); }
    std::mt19937_64 random;
};

const char* const kHex = "0123456789abcdef";

std::string singleQuoted(std::string_view text)
{
    std::string out = "'";
    for (const char c : text)
        out += c == '\\' || c == '\'' ? std::string{'\\', c} : std::string{c};
    return out + "'";
}

// Bytes as themselves or as one of the escapes that stand for them.
std::string escaped(std::string_view text, char quote, Choices& choices)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const unsigned form = choices.below(5);
        if (form == 0)
            out += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
        else if (form == 1)
            out += std::string("\\") + char('0' + (byte >> 6)) + char('0' + ((byte >> 3) & 7)) + char('0' + (byte & 7));
        else if (form == 2 && byte < 0x80)
            out += std::string("\\u{") + kHex[byte >> 4] + kHex[byte & 15] + "}";
        else if (c == '\r' && quote == '\0')
            out += "\\r";  // a raw CR would end a heredoc line
        else if (c == '\n' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == '\x1B')
            out += std::string("\\") + "ntrvfe"[std::string_view("\n\t\r\v\f\x1B").find(c)];
        else if (c == '\\' || c == '$' || (c == quote && quote != '\0'))
            out += std::string{'\\', c};
        else
            out += c;
    }
    return out;
}

// A heredoc or nowdoc, its lines indented by spaces or tabs that PHP
// removes again; empty when the text cannot be one.
std::string hereDocument(std::string_view text, bool nowdoc, Choices& choices)
{
    if (text.find("EOT") != std::string_view::npos || (nowdoc && text.find('\r') != std::string_view::npos))
        return {};
    const std::string indentation(choices.below(3), choices.below(2) ? ' ' : '\t');
    const std::string body = nowdoc ? std::string(text) : escaped(text, '\0', choices);
    std::string out = nowdoc ? "<<<'EOT'\n" : "<<<EOT\n";
    out += indentation;
    for (const char c : body)
        out += c == '\n' ? "\n" + indentation : std::string{c};
    return out + "\n" + indentation + "EOT";
}

std::string literal(std::string_view text, Choices& choices)
{
    std::string out;
    switch (choices.below(6)) {
    case 0: out = singleQuoted(text); break;
    case 1: out = std::string("\"").append(escaped(text, '"', choices)).append("\""); break;
    case 2: out = hereDocument(text, false, choices); break;
    case 3: out = hereDocument(text, true, choices); break;
    case 4: out = text == "\n" ? "PHP_EOL" : ""; break;
    default: out = text.size() == 1 && text[0] >= '1' && text[0] <= '9' ? std::string(text) : ""; break;
    }
    if (out.empty())
        out = singleQuoted(text);
    return choices.below(4) == 0 ? std::string("(").append(out).append(")") : out;
}

// One statement printing the text: echo with "." or "," between parts, or print.
std::string statement(std::string_view text, Choices& choices)
{
    const bool print = choices.below(4) == 0;
    std::string out = print ? "print " : "echo ";
    while (!text.empty()) {
        const std::size_t length = 1 + choices.below(static_cast<unsigned>(text.size()));
        out += literal(text.substr(0, length), choices);
        text.remove_prefix(length);
        if (!text.empty())
            out += print || choices.below(2) ? " . " : ", ";
    }
    return out + (choices.below(8) == 0 ? " ?><?php " : ";\n");
}

std::string scriptPrinting(std::string_view text, Choices& choices)
{
    std::string script = "<?php\n";
    while (!text.empty()) {
        const std::size_t length = 1 + choices.below(static_cast<unsigned>(std::min<std::size_t>(text.size(), 40)));
        const std::string_view chunk = text.substr(0, length);
        text.remove_prefix(length);
        if (choices.below(4) == 0 && chunk.find("<?") == std::string_view::npos)
            script += "?>\n" + std::string(chunk) + "<?php ";  // the "\n" is swallowed
        else
            script += statement(chunk, choices);
    }
    return script;
}

std::string expectedTemplate(std::string_view text)
{
    std::string out;
    for (std::size_t tag; (tag = text.find("<?")) != std::string_view::npos;) {
        out.append(text.substr(0, tag)).append("<?= '<?' ?>");
        text.remove_prefix(tag + 2);
        const bool crlf = text.starts_with("\r\n");
        const std::size_t lineBreak = crlf ? 2 : text.starts_with('\n') || text.starts_with('\r') ? 1 : 0;
        out.append(text.substr(0, lineBreak));
    }
    return out.append(text);
}

std::string templateOf(std::string_view script)
{
    const auto result = tagora::phpTemplate(script);
    const auto* made = std::get_if<std::string>(&result);
    return made ? *made : "error: " + std::get<tagora::ScriptReadError>(result).message;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto copy = fuzz::exactCopy(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string_view text(copy.get(), size);
    (void)tagora::phpTemplate(text);
    Choices choices(text);
    const std::string script = scriptPrinting(text, choices);
    const std::string made = templateOf(script);
    FUZZ_CHECK(made == expectedTemplate(text));
    FUZZ_CHECK(templateOf(made) == made);
    return 0;
}

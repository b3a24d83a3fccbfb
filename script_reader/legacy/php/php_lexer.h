// PHP source as tokens, the way PHP 8 reads a file with its default
// settings (short open tags on): inline HTML, open and close tags, and the
// code between them. Whitespace and comments make no tokens; every string
// literal is decoded (escapes, heredoc indentation) as PHP decodes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace tagora::php {

// Offsets are 32-bit: the largest file read.
inline constexpr std::size_t kMaxScriptSize = 0xFFFF'FF00;
// Links take 27 bits, so that a token takes 12 bytes: at most this many
// tokens (about 500 MB of dense code), and __LINE__ below this line.
inline constexpr std::uint32_t kNoLink = (1u << 27) - 1;

enum class TokenKind : unsigned char {
    InlineHtml,       // text outside the code; not the newline a close tag swallows
    OpenTag,          // "<?php" and the whitespace after it, or "<?"
    OpenTagWithEcho,  // "<?="
    CloseTag,         // "?>" and the newline it swallows; link: 1 when there was one
    Name,             // identifier, keyword or qualified name
    LineConstant,     // __LINE__; link: its line
    Variable,         // $name
    Number,
    Punct,            // operator or punctuation; brackets are linked to their partner
    String,           // '…' or nowdoc; link: index of its value
    StringStart,      // opening " or heredoc start; link: its StringEnd
    ShellStart,       // opening `; link: its StringEnd
    StringText,       // literal run inside a string; link: index of its value
    StringVariable,   // $name, $name[key] or $name->property in a string; link: index of its PHP expression
    CurlyInterpolation,       // the "{" of {$…}; link: its InterpolationEnd
    DollarNameInterpolation,  // the "${name" of ${name[…]}; link: its InterpolationEnd
    DollarInterpolation,      // the "${" of ${expression}; link: its InterpolationEnd
    InterpolationEnd,         // "}"; link: its opening
    StringEnd,                // closing quote or heredoc marker; link: its opening
};

// A token that a StringEnd or an InterpolationEnd closes.
constexpr bool opensStringOrInterpolation(TokenKind kind)
{
    return kind == TokenKind::StringStart || kind == TokenKind::ShellStart || kind == TokenKind::CurlyInterpolation
           || kind == TokenKind::DollarNameInterpolation || kind == TokenKind::DollarInterpolation;
}

struct Token {
    std::uint32_t begin;
    std::uint32_t end;
    std::uint32_t link : 27 = kNoLink;
    TokenKind kind : 5;
};
static_assert(sizeof(Token) == 12 && static_cast<unsigned>(TokenKind::StringEnd) < 32);

struct Lexed {
    std::vector<Token> tokens;
    // The decoded strings and string-variable expressions, one after the
    // other in the pool; values holds the offset and size of each.
    std::string pool;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> values;

    std::string_view value(std::size_t index) const
    {
        return std::string_view(pool).substr(values[index].first, values[index].second);
    }
};

// Where and why the source cannot be read.
struct SourceError {
    std::size_t offset;
    std::string message;
};

std::variant<Lexed, SourceError> lex(std::string_view script);
// The same tokens a piece at a time, for a pass that looks back no further
// than the token before: a piece's links and values are its own, and
// brackets are not linked. A piece holds about `pieceTokens` tokens (more
// when a string ends it). Where the source cannot be read, after the
// pieces before it.
std::optional<SourceError> lexInPieces(std::string_view script, const std::function<void(const Lexed&)>& each,
                                       std::size_t pieceTokens = 4096);

// PHP's whitespace in code.
constexpr bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

inline bool isPunct(const Token& token, std::string_view script, std::string_view text)
{
    if (token.kind != TokenKind::Punct || token.end - token.begin != text.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (script[token.begin + i] != text[i])
            return false;
    return true;
}
// A keyword or name, compared without regard to case as PHP compares keywords.
bool isName(const Token& token, std::string_view script, std::string_view lowerCaseName);

}  // namespace tagora::php

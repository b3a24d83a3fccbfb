// The tokens of VBScript code, as far as reading a legacy ASP page needs
// them: where statements start and end, strings, comments and the words
// and operators of expressions. Bytes outside ASCII are opaque: they may
// be part of a name, a string or a comment in any 8-bit encoding.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tagora::vbscript {

enum class TokenKind {
    Word,      // a name or keyword, [bracketed] names too
    String,    // "…" with "" for a quote inside
    Number,    // 12, 1.5e3, &HFF
    Date,      // #…#
    Operator,  // ( ) , . & + - * / \ ^ = < > <= >= <>, any other character
    Colon,     // between statements on one line
    Newline,   // the end of a line that does not continue with _
    Comment,   // ' or Rem, to the end of the line
};

struct Token {
    TokenKind kind = TokenKind::Operator;
    std::size_t begin = 0;  // offsets in the text given to tokenize()
    std::size_t end = 0;
};

struct LexError {
    std::size_t offset = 0;
    std::string message;
};

struct Tokens {
    std::vector<Token> tokens;
    std::optional<LexError> error;
};

// The tokens of text[begin, end), the code of one ASP block. A line
// continuation (_ at the end of a line) leaves no token.
Tokens tokenize(std::string_view text, std::size_t begin, std::size_t end);

// Whether the word equals a lower-case keyword, VBScript being
// case-insensitive.
bool sameWord(std::string_view word, std::string_view lowerKeyword);

// The value of a String token's text (quotes removed, "" made one ").
std::string stringValue(std::string_view quoted);

// Where the "@" of a directive (<%@ LANGUAGE=... %>) stands in the block
// opened by the "<%" at `open`, or npos when the block is no directive.
// IIS allows spaces and tabs before the "@".
inline std::size_t directiveMarker(std::string_view page, std::size_t open)
{
    std::size_t at = open + 2;
    while (at < page.size() && (page[at] == ' ' || page[at] == '\t'))
        ++at;
    return at < page.size() && page[at] == '@' ? at : std::string_view::npos;
}

}  // namespace tagora::vbscript

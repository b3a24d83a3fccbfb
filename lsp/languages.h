// What the server offers for each document language (the protocol's
// languageId): the targets whose string literals the language writes, and
// how a line of it is read to find a literal under the caret.
#pragma once

#include "script_writer/targets.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tagora::lsp {

enum class Quotes {
    CStyle,   // "..." and '...' with backslash escapes; # or // comments
    CStyleBacktick,  // the same and `...` (JavaScript)
    DoubleOnly,      // "..." with backslash escapes (JSON, Java)
    Basic,    // "..." with "" for a quote; ' starts a comment (VBScript)
};

struct Language {
    std::vector<Target> targets;  // literals of the language, the usual one first
    Quotes quotes = Quotes::CStyle;
    std::optional<Target> templateFrom;  // how its echo code is read back
    bool isHtml = false;
};

// None for a language the server has nothing for.
std::optional<Language> languageOf(std::string_view languageId);

// "a PHP string literal", what the selection is escaped into.
std::string_view literalName(Target target);

}  // namespace tagora::lsp

// The string literal under the caret: the quoted strings of the caret's
// line, read as the language quotes them, and around the one that holds
// the caret the strings joined to it (with + in JavaScript, with & and
// vbCrLf and the like in VBScript), over lines where the language joins
// them so. The spans are candidates, the longest first; which of them is
// a literal is for the engine's reader to say.
#pragma once

#include "document.h"
#include "languages.h"

#include <string_view>
#include <vector>

namespace tagora::lsp {

std::vector<Span> literalCandidates(std::string_view text, std::size_t caret, Quotes quotes);

}  // namespace tagora::lsp

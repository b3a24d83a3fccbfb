// Syntax errors PHP reports that show in the order of the tokens alone,
// without a parser: an operator without its operand, a statement keyword
// where a statement cannot start, a ";" or a "," where PHP's grammar has
// no place for it, a "$" without a name. What it finds, PHP refuses too;
// it does not find every error PHP finds.
#pragma once

#include "php_lexer.h"

#include <string_view>

namespace tagora::php {

// Throws a SourceError at the first such error. The brackets of the
// tokens must be paired (linked) already.
void refuseMisplacedTokens(const Lexed& lexed, std::string_view script);

}  // namespace tagora::php

// The text as one string literal of a target and nothing else, to stand
// in code of the user's own: `"a \"b\"\n"` in PHP, a template literal in
// JavaScript, strings joined with "+" (js-concat) or "& vbCrLf &" (ASP),
// a nowdoc in PHP. Its value is the text exactly: each line break as it is
// in the text (CR LF, LF or CR), a final one only where the text ends with
// one. As safe inside an HTML <script> element as the target's scripts.
#pragma once

#include "script_writer/targets.h"

#include <optional>
#include <string>
#include <string_view>

namespace tagora {

// An empty text gives the empty literal (""). None only for a nowdoc whose
// text closes every label (see heredoc_label.h).
std::optional<std::string> stringLiteral(Target target, std::string_view utf8Text);
std::optional<std::u16string> stringLiteral(Target target, std::u16string_view text);

}  // namespace tagora

// The script generators: pure functions of the input text.
#pragma once

#include "script_writer/script_stream.h"

#include <optional>
#include <string>
#include <string_view>

namespace tagora {

// Shown instead of a script when the input is empty.
inline constexpr std::string_view kNoInputMessage = "There is no HTML Code to convert.";

// The script of the target that prints the text. The text is cut into
// lines at every CR LF pair (a lone CR or LF stays inside its line); the
// script is its header, the text and its footer, with CR LF between the
// script's own lines and none after the footer. An empty input gives no
// script (std::nullopt), nor does a text for which no heredoc label can
// be found.
std::optional<std::u16string> script(Target target, Escaping escaping, std::u16string_view html,
                                     const ScriptOptions& options = {});
// The same rules over UTF-8 bytes, giving UTF-8.
std::optional<std::string> script(Target target, Escaping escaping, std::string_view utf8Html,
                                  const ScriptOptions& options = {});

// Whether the target's script holds the text in a heredoc (its frame's
// opening names the label): then no line of the text may close the label,
// and the label is chosen from the whole text before the script is written.
bool needsHeredocLabel(Target target);

// The heredoc label the script of the whole text needs (php-nowdoc), or
// the default for targets without one.
template <class CharT>
std::optional<std::string> heredocLabelFor(Target target, std::basic_string_view<CharT> html);

}  // namespace tagora

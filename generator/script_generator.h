// The PHP and ASP script generators: pure functions of the input text.
#pragma once

#include "script_stream.h"

#include <optional>
#include <string>
#include <string_view>

namespace tagora {

// Shown instead of a script when the input is empty.
inline constexpr std::string_view kNoInputMessage = "There is no HTML Code to convert.";

// The input is cut into lines at every CR LF pair (a lone CR or LF stays
// inside its line); each line becomes one statement between a fixed header
// and footer, with CR LF between output lines and none after the footer.
// An empty input gives no script (std::nullopt).
std::optional<std::u16string> script(ScriptLanguage language, Escaping escaping,
                                     std::u16string_view html);
// The same rules over UTF-8 bytes, giving UTF-8. The special characters
// are all ASCII, so every other byte is copied as it is.
std::optional<std::string> script(ScriptLanguage language, Escaping escaping,
                                  std::string_view utf8Html);

}  // namespace tagora

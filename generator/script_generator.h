// The PHP and ASP script generators: pure functions of the input text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tagora {

enum class ScriptLanguage { Php, Asp };

// Exact: the script prints the input byte for byte (PHP also escapes `$`;
// ASP doubles quotes, splits `%>` and writes lone CR / LF as vbCr / vbLf).
// Classic: the escaping of version 1.0 (PHP leaves `$` alone, ASP turns
// every double quote into an apostrophe).
enum class Escaping { Exact, Classic };

// Shown instead of a script when the input is empty.
inline constexpr std::string_view kNoInputMessage = "There is no HTML Code to convert.";

// The input is cut into lines at every CR LF pair (a lone CR or LF stays
// inside its line); each line becomes one statement between a fixed header
// and footer, with CR LF between output lines and none after the footer.
// An empty input gives no script (std::nullopt).
std::optional<std::u16string> phpScript(std::u16string_view html);
std::optional<std::u16string> aspScript(std::u16string_view html);
std::optional<std::u16string> script(ScriptLanguage language, std::u16string_view html);
std::optional<std::u16string> script(ScriptLanguage language, Escaping escaping,
                                     std::u16string_view html);

// The header of each script, up to and including the empty fifth line.
std::u16string_view phpHeader();
std::u16string_view aspHeader();

}  // namespace tagora

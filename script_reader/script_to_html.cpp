#include "script_reader/script_to_html.h"

#include "script_reader/asp_template.h"
#include "script_reader/php_template.h"
#include "script_reader/script_reader.h"

#include <variant>

namespace tagora {
namespace {

// The language a template is made in: the one named, or the one whose
// opening the script has, or the one whose tag comes first.
std::optional<Target> templateLanguage(std::string_view script, std::optional<Target> named)
{
    if (named) {
        if (*named == Target::Php || *named == Target::PhpNowdoc)
            return Target::Php;
        if (*named == Target::Asp)
            return Target::Asp;
        return std::nullopt;
    }
    const std::size_t php = script.find("<?");
    const std::size_t asp = script.find("<%");
    if (php == asp)
        return std::nullopt;
    return php < asp ? Target::Php : Target::Asp;
}

}  // namespace

HtmlFromScript htmlFromScript(std::string_view script, std::optional<Target> from,
                              const AspIncludeReader& readIncludes)
{
    ReadScript read = readScript(script, from);
    if (read.printed)
        return {std::move(read.printed), {}, read.target, true};
    const std::optional<Target> language = templateLanguage(script, from ? from : read.target);
    if (!language) {
        if (!from && !read.target)
            read.error = {1, 1, "neither a script this program wrote nor a PHP or ASP page"};
        return {std::nullopt, read.error, read.target, false};
    }
    auto made = *language == Target::Php ? phpTemplate(script) : aspTemplate(script, readIncludes);
    if (ScriptReadError* error = std::get_if<ScriptReadError>(&made))
        return {std::nullopt, std::move(*error), language, false};
    return {std::move(std::get<std::string>(made)), {}, language, false};
}

}  // namespace tagora

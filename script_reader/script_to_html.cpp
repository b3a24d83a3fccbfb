#include "script_to_html.h"

#include "asp_template.h"
#include "jsp_template.h"
#include "php_template.h"
#include "script_language.h"
#include "script_reader.h"

#include "input_text/decoder_names.h"

#include <variant>

namespace tagora {
namespace {

// The language of the template for a script of the target: none for the
// languages that have no template reader.
std::optional<Target> templateLanguageFor(Target target)
{
    switch (target) {
    case Target::Php:
    case Target::PhpNowdoc:
        return Target::Php;
    case Target::Asp:
        return Target::Asp;
    case Target::Jsp:
        return Target::Jsp;
    default:
        return std::nullopt;
    }
}

std::variant<std::string, ScriptReadError> makeTemplate(std::string_view script, Target language,
                                                        const AspIncludeReader& readIncludes,
                                                        const PhpIncludeReader& readPhpIncludes, WriteNotes* notes)
{
    if (language == Target::Php)
        return phpTemplate(script, readPhpIncludes, notes);
    if (language == Target::Jsp)
        return jspTemplate(script, notes);
    return aspTemplate(script, readIncludes, notes);
}

}  // namespace

HtmlFromScript htmlFromScript(std::string_view script, std::optional<Target> from,
                              const AspIncludeReader& readIncludes, const PhpIncludeReader& readPhpIncludes,
                              bool withNotes)
{
    ReadScript read = readScript(script, from);
    if (read.printed)
        return {std::move(read.printed), {}, read.target, true, {}};
    // Named, or one of this program's scripts edited: read as code of its
    // language where there is a reader of it, else where the reading stopped.
    std::optional<Target> language;
    if (const std::optional<Target> named = from ? from : read.target) {
        language = templateLanguageFor(*named);
        if (!language)
            return {std::nullopt, read.error, read.target, false, {}};
    } else {
        const PageLanguage found = pageLanguage(script);
        if (!found.language)
            return {std::nullopt, found.error, std::nullopt, false, {}};
        language = found.language;
    }
    WriteNotes notes;
    auto made = makeTemplate(script, *language, readIncludes, readPhpIncludes, withNotes ? &notes : nullptr);
    if (ScriptReadError* error = std::get_if<ScriptReadError>(&made))
        return {std::nullopt, std::move(*error), language, false, {}};
    return {std::move(std::get<std::string>(made)), {}, language, false, std::move(notes)};
}

std::vector<ScriptReadError> templateCodeBeyondAscii(std::string_view templ, Target language, std::size_t limit)
{
    if (language == Target::Php)
        return phpCodeBeyondAscii(templ, limit);
    if (language == Target::Asp)
        return aspCodeBeyondAscii(templ, limit);
    return {};
}

bool templateKeepsFileBytes(const HtmlFromScript& made, std::string_view encoding)
{
    if (made.exact || !made.target)
        return false;
    return *made.target == Target::Php || (*made.target == Target::Asp && !html::writesCharactersInAscii(encoding));
}

}  // namespace tagora

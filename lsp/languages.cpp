#include "languages.h"

namespace tagora::lsp {

std::optional<Language> languageOf(std::string_view id)
{
    if (id == "php")
        return Language{{Target::Php, Target::PhpNowdoc}, Quotes::CStyle, Target::Php};
    if (id == "javascript" || id == "js" || id == "typescript" || id == "javascriptreact" || id == "typescriptreact")
        return Language{{Target::Js, Target::JsConcat}, Quotes::CStyleBacktick, std::nullopt};
    if (id == "json" || id == "jsonc")
        return Language{{Target::Json}, Quotes::DoubleOnly, std::nullopt};
    if (id == "java" || id == "jsp")
        return Language{{Target::Jsp}, Quotes::DoubleOnly, Target::Jsp};
    if (id == "perl" || id == "cperl")
        return Language{{Target::Perl}, Quotes::CStyle, std::nullopt};
    if (id == "python")
        return Language{{Target::Python}, Quotes::CStyle, std::nullopt};
    if (id == "vb" || id == "asp" || id == "aspvbs" || id == "vbscript" || id == "visual-basic")
        return Language{{Target::Asp}, Quotes::Basic, Target::Asp};
    if (id == "html" || id == "mhtml")
        return Language{{}, Quotes::DoubleOnly, std::nullopt, true};
    return std::nullopt;
}

std::string_view literalName(Target target)
{
    switch (target) {
    case Target::Php: return "a PHP string literal";
    case Target::Asp: return "a VBScript string literal";
    case Target::PhpNowdoc: return "a PHP nowdoc";
    case Target::Js: return "a JavaScript template literal";
    case Target::JsConcat: return "JavaScript strings joined with +";
    case Target::Json: return "a JSON string";
    case Target::Jsp: return "a Java string literal";
    case Target::Perl: return "a Perl string literal";
    case Target::Python: return "a Python string literal";
    }
    return "a string literal";
}

}  // namespace tagora::lsp

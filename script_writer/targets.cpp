#include "script_writer/targets.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace tagora {
namespace {

constexpr TargetInfo kTargets[] = {
    {Target::Php, "php", "PHP Script", ".php", "\n", true},
    {Target::Asp, "asp", "ASP Script", ".asp", "\r\n", true},
    {Target::PhpNowdoc, "php-nowdoc", "PHP Nowdoc Script", ".php", "\r\n", false},
    {Target::Js, "js", "JavaScript", ".js", "\n", false},
    {Target::JsConcat, "js-concat", "JavaScript Strings", ".js", "\n", false},
    {Target::Json, "json", "JSON", ".json", "\n", false},
    {Target::Jsp, "jsp", "JSP Script", ".jsp", "\n", false},
    {Target::Perl, "perl", "Perl Script", ".pl", "\n", false},
    {Target::Python, "python", "Python Script", ".py", "\n", false},
};
static_assert(std::size(kTargets) == kTargetCount, "one row per target");

}  // namespace

std::span<const TargetInfo> targets()
{
    return kTargets;
}

const TargetInfo& targetInfo(Target target)
{
    return kTargets[static_cast<std::size_t>(target)];
}

namespace {

// Reserved in JavaScript, in strict code and modules too, or bound at the
// top of every script so that a declaration of it fails.
constexpr std::array<std::string_view, 51> kNotDeclarable{
    "await", "break", "case", "catch", "class", "const", "continue", "debugger", "default", "delete",
    "do", "else", "enum", "export", "extends", "false", "finally", "for", "function", "if",
    "import", "in", "instanceof", "new", "null", "return", "super", "switch", "this", "throw",
    "true", "try", "typeof", "var", "void", "while", "with", "yield", "let", "static",
    "implements", "interface", "package", "private", "protected", "public", "eval", "arguments",
    "undefined", "NaN", "Infinity",
};

bool isIdentifierCharacter(char c, bool first)
{
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
    return letter || (!first && c >= '0' && c <= '9');
}

}  // namespace

bool isValidVariableName(std::string_view name)
{
    if (name.empty() || name.size() > kLongestVariableName)
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (!isIdentifierCharacter(name[i], i == 0))
            return false;
    }
    return std::find(kNotDeclarable.begin(), kNotDeclarable.end(), name) == kNotDeclarable.end();
}

std::optional<Target> targetNamed(std::string_view name)
{
    for (const TargetInfo& info : kTargets) {
        if (info.name == name)
            return info.target;
    }
    return std::nullopt;
}

}  // namespace tagora

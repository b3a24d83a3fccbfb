#include "script_writer/targets.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace tagora {

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
    for (const TargetInfo& info : targets()) {
        if (info.name == name)
            return info.target;
    }
    return std::nullopt;
}

namespace {

// Each target's value of the field, each value once, in the targets' order.
std::vector<std::string_view> eachOnce(std::string_view TargetInfo::*field)
{
    std::vector<std::string_view> values;
    for (const TargetInfo& info : targets()) {
        if (std::find(values.begin(), values.end(), info.*field) == values.end())
            values.push_back(info.*field);
    }
    return values;
}

}  // namespace

std::string targetLanguages()
{
    std::string text;
    for (const std::string_view language : eachOnce(&TargetInfo::language))
        text.append(text.empty() ? "" : ", ").append(language);
    return text;
}

std::vector<std::string_view> scriptExtensions()
{
    return eachOnce(&TargetInfo::extension);
}

}  // namespace tagora

#include "script_writer/targets.h"

#include <algorithm>

namespace tagora {

std::optional<Target> targetNamed(std::string_view name)
{
    for (const TargetInfo& info : targets()) {
        if (info.name == name)
            return info.target;
    }
    return std::nullopt;
}

std::string saveFilter(Target target)
{
    const TargetInfo& info = targetInfo(target);
    std::string filter(info.fileTypes);
    return filter.append(" (*").append(info.extension).append(")");
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

std::string scriptFilePatterns()
{
    std::string patterns;
    for (const std::string_view extension : scriptExtensions())
        patterns.append(patterns.empty() ? "*" : " *").append(extension);
    return patterns;
}

}  // namespace tagora

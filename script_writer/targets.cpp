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

std::vector<std::string_view> scriptExtensions()
{
    std::vector<std::string_view> extensions;
    for (const TargetInfo& info : targets()) {
        if (std::find(extensions.begin(), extensions.end(), info.extension) == extensions.end())
            extensions.push_back(info.extension);
    }
    return extensions;
}

std::string scriptFilePatterns()
{
    std::string patterns;
    for (const std::string_view extension : scriptExtensions())
        patterns.append(patterns.empty() ? "*" : " *").append(extension);
    return patterns;
}

}  // namespace tagora

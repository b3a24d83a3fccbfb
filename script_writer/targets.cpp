#include "script_writer/targets.h"

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

std::optional<Target> targetNamed(std::string_view name)
{
    for (const TargetInfo& info : kTargets) {
        if (info.name == name)
            return info.target;
    }
    return std::nullopt;
}

}  // namespace tagora

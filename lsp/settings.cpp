#include "settings.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace tagora::lsp {
namespace {

using nlohmann::json;

void readEscaping(Settings& settings, const json& value, std::vector<std::string>& problems)
{
    if (value == "exact")
        settings.escaping = Escaping::Exact;
    else if (value == "classic")
        settings.escaping = Escaping::Classic;
    else
        problems.push_back("escaping is \"exact\" or \"classic\"");
}

void readHeader(Settings& settings, const json& value, std::vector<std::string>& problems)
{
    if (value.is_boolean())
        settings.script.header = value.get<bool>();
    else
        problems.push_back("header is true or false");
}

void readName(Settings& settings, const json& value, std::vector<std::string>& problems)
{
    if (value.is_string() && isValidVariableName(value.get<std::string>()))
        settings.script.variableName = value.get<std::string>();
    else
        problems.push_back("javascriptName is a JavaScript name of at most 64 ASCII letters, digits, _ and $, not a "
                           "reserved word");
}

void readActions(Settings& settings, const json& value, std::vector<std::string>& problems)
{
    const auto known = [](const json& name) {
        return name.is_string()
               && std::find(std::begin(kActionNames), std::end(kActionNames), name.get<std::string>())
                      != std::end(kActionNames);
    };
    if (!value.is_array() || !std::all_of(value.begin(), value.end(), known)) {
        problems.push_back("actions is a list of: literal, unescape, editAsHtml, template, script");
        return;
    }
    settings.actions.clear();
    for (const json& name : value)
        settings.actions.insert(name.get<std::string>());
}

}  // namespace

Settings updatedSettings(Settings settings, const json& value, std::vector<std::string>& problems)
{
    if (!value.is_object())
        return settings;
    const json& keys = value.contains("tagora") && value["tagora"].is_object() ? value["tagora"] : value;
    if (keys.contains("escaping"))
        readEscaping(settings, keys["escaping"], problems);
    if (keys.contains("header"))
        readHeader(settings, keys["header"], problems);
    if (keys.contains("javascriptName"))
        readName(settings, keys["javascriptName"], problems);
    if (keys.contains("actions"))
        readActions(settings, keys["actions"], problems);
    return settings;
}

}  // namespace tagora::lsp

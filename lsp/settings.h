// What the user chooses: the escaping and header of scripts, the
// JavaScript name, and which actions are offered. Read from the
// initialization options, workspace/didChangeConfiguration and
// workspace/configuration, all with the same keys:
//   {"escaping": "exact" | "classic", "header": true, "javascriptName": "html",
//    "actions": ["literal", "unescape", "editAsHtml", "template", "script"]}
#pragma once

#include "script_writer/targets.h"

#include <nlohmann/json_fwd.hpp>

#include <set>
#include <string>
#include <vector>

namespace tagora::lsp {

inline constexpr const char* kActionNames[] = {"literal", "unescape", "editAsHtml", "template", "script"};

struct Settings {
    Escaping escaping = Escaping::Exact;
    ScriptOptions script;
    std::set<std::string> actions{std::begin(kActionNames), std::end(kActionNames)};

    bool offers(const std::string& action) const { return actions.count(action) != 0; }
};

// The settings changed by the keys of `value` (an object; a "tagora"
// member of it is read instead when there is one); what is wrong with a
// key is added to `problems`, and that key left as it was.
Settings updatedSettings(Settings settings, const nlohmann::json& value, std::vector<std::string>& problems);

}  // namespace tagora::lsp

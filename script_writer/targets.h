// The languages a script can be written in, and what the program and its
// users call each of them. The list itself is script_writer/target_list.cmake,
// from which the build writes target_list.inc.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tagora {

enum class Target {
#define TAGORA_TARGET(identifier, ...) identifier,
#include "script_writer/target_list.inc"
#undef TAGORA_TARGET
};

// Exact: the script prints the input exactly. Classic (PHP and ASP only):
// the escaping of version 1.0 (PHP leaves `$` alone, ASP turns every
// double quote into an apostrophe).
enum class Escaping { Exact, Classic };

// What is written: a whole script that prints the text, or the text as one
// string literal of the target, to stand in code of the user's own.
enum class Form { Script, Literal };

struct TargetInfo {
    Target target;
    std::string_view name;       // as tagora-convert --to names it
    std::string_view title;      // "PHP Script": what the output box holds
    std::string_view extension;  // of a saved script, with its dot
    // What each line break of the text prints as (for js, js-concat and
    // json: what it is in the string's value).
    std::string_view printedLineBreak;
    bool hasClassicEscaping;
    std::string_view menuItem;   // "HTML to &PHP", & before the access key
    std::string_view fileTypes;  // "PHP scripts", as a save dialog names them
    std::string_view summary;    // its line in tagora-convert --help
    std::string_view language;   // "PHP", as a list of languages names it
};

inline constexpr TargetInfo kTargetRows[] = {
#define TAGORA_TARGET(identifier, classic, name, title, extension, lineBreak, hasClassic, menuItem, fileTypes, \
                      summary, language)                                                                          \
    {Target::identifier, name, title, extension, lineBreak, hasClassic, menuItem, fileTypes, summary, language},
#include "script_writer/target_list.inc"
#undef TAGORA_TARGET
};

// The number of targets: the size of every table with a row per target,
// checked where the table is defined.
inline constexpr std::size_t kTargetCount = std::size(kTargetRows);

// Whether a table with a row per target holds each target once, in the
// order of the enum: per-target tables assert it, so that a missing, extra
// or misplaced row does not compile.
template <class Table, class TargetOf>
constexpr bool rowsFollowTargets(const Table& table, TargetOf targetOf)
{
    std::size_t index = 0;
    for (const auto& row : table) {
        if (index >= kTargetCount || targetOf(row) != static_cast<Target>(index))
            return false;
        ++index;
    }
    return index == kTargetCount;
}

static_assert(rowsFollowTargets(kTargetRows, [](const TargetInfo& info) { return info.target; }));

// Every target, PHP and ASP first.
constexpr std::span<const TargetInfo> targets()
{
    return kTargetRows;
}

constexpr const TargetInfo& targetInfo(Target target)
{
    return kTargetRows[static_cast<std::size_t>(target)];
}

std::optional<Target> targetNamed(std::string_view name);

// "PHP, ASP, JavaScript, ...": every target's language once.
std::string targetLanguages();

// ".php", ".asp", ...: every target's extension once, in the targets' order.
std::vector<std::string_view> scriptExtensions();

// What the user may choose of a script beyond its target and escaping.
struct ScriptOptions {
    // The comment lines that name the program, after the script's first
    // line (which the script needs: "<?php", "#!/usr/bin/perl", ...).
    bool header = true;
    // js and js-concat: the constant that holds the text.
    std::string variableName = "html";
};

inline constexpr std::string_view kDefaultVariableName = "html";
inline constexpr std::size_t kLongestVariableName = 64;

// Whether the name can be a JavaScript constant's: an ASCII identifier
// of at most kLongestVariableName characters that is not a reserved word, nor a name a script may not declare
// (undefined, NaN, Infinity, let, ...).
bool isValidVariableName(std::string_view name);

// The escaping a target is written with: classic only where it exists.
constexpr Escaping effectiveEscaping(Target target, Escaping escaping)
{
    return targetInfo(target).hasClassicEscaping ? escaping : Escaping::Exact;
}

}  // namespace tagora

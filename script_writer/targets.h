// The languages a script can be written in, and what the program and its
// users call each of them.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tagora {

enum class Target { Php, Asp, PhpNowdoc, Js, JsConcat, Json, Jsp, Perl, Python };

// The number of targets: the size of every table with a row per target,
// checked where the table is defined.
inline constexpr std::size_t kTargetCount = 9;

// Exact: the script prints the input exactly. Classic (PHP and ASP only):
// the escaping of version 1.0 (PHP leaves `$` alone, ASP turns every
// double quote into an apostrophe).
enum class Escaping { Exact, Classic };

struct TargetInfo {
    Target target;
    std::string_view name;       // as tagora-convert --to names it
    std::string_view title;      // "PHP Script": what the output box holds
    std::string_view extension;  // of a saved script, with its dot
    // What each line break of the text prints as (for js, js-concat and
    // json: what it is in the string's value).
    std::string_view printedLineBreak;
    bool hasClassicEscaping;
};

// Every target, PHP and ASP first.
std::span<const TargetInfo> targets();
const TargetInfo& targetInfo(Target target);
std::optional<Target> targetNamed(std::string_view name);

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
    return target == Target::Php || target == Target::Asp ? escaping : Escaping::Exact;
}

}  // namespace tagora

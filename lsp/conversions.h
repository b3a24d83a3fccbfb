// The conversions the code actions make, each the same engine calls that
// tagora-convert makes for the same bytes, so that an action's result is
// byte for byte what the command line writes.
#pragma once

#include "script_reader/script_read_error.h"
#include "script_writer/targets.h"

#include <optional>
#include <string>
#include <string_view>

namespace tagora::lsp {

// A result, or why there is none (with its place in the input when the
// reader gave one: line and column from 1, column in characters).
struct Converted {
    std::optional<std::string> text;
    ScriptReadError error;
};

// tagora-convert --to=TARGET [--classic] [--no-header] [--name=NAME].
Converted scriptOf(std::string_view html, Target target, Escaping escaping, const ScriptOptions& options);
// tagora-convert --to=TARGET --literal.
Converted literalOf(std::string_view text, Target target);
// tagora-convert --unescape --from=TARGET.
Converted textOfLiteral(std::string_view literal, Target target);
// tagora-convert --to=html [--from=TARGET].
Converted htmlOf(std::string_view script, std::optional<Target> from);

}  // namespace tagora::lsp

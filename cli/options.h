// The command line of tagora-convert.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tagora::cli {

enum class Action { Convert, ShowHelp, ShowVersion, UsageError };
enum class Output { PhpScript, AspScript, CharacterCodes };

struct Options {
    Action action = Action::Convert;
    Output output = Output::PhpScript;
    std::string file = "-";  // "-" stands for standard input
    std::string problem;     // what is wrong, for Action::UsageError
};

Options parseOptions(std::span<const char* const> arguments);

std::string_view usageText();

}  // namespace tagora::cli

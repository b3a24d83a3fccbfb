#include "options.h"

#include <optional>

namespace tagora::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: tagora-convert [--php | --asp | --codes] [FILE]\n"
    "\n"
    "Turns HTML into a PHP script of echo statements (the default) or a\n"
    "classic ASP script of Response.Write statements, one statement per\n"
    "line, exactly as Tagora Converter does; or lists the Windows-1252 code\n"
    "of every character.\n"
    "\n"
    "  --php      write a PHP script (the default)\n"
    "  --asp      write an ASP script\n"
    "  --codes    write the character-code listing\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Give at most one of --php, --asp and --codes. FILE is read as UTF-8;\n"
    "without FILE, or when FILE is -, standard input is read. Put -- before\n"
    "a FILE whose name starts with -. Every line break (CR LF, LF or CR)\n"
    "counts as CR LF. The result goes to standard output as UTF-8, with no\n"
    "newline added at the end.\n"
    "\n"
    "Exit status: 0 done, 1 empty input, 2 invalid UTF-8 (the message gives\n"
    "the byte offset, from 0, where the bad sequence starts), a file that\n"
    "cannot be read, or a wrong command line.\n";

std::optional<Output> outputOption(std::string_view argument)
{
    if (argument == "--php")
        return Output::PhpScript;
    if (argument == "--asp")
        return Output::AspScript;
    if (argument == "--codes")
        return Output::CharacterCodes;
    return std::nullopt;
}

Options usageError(std::string problem)
{
    Options options;
    options.action = Action::UsageError;
    options.problem = std::move(problem);
    return options;
}

bool isOption(std::string_view argument)
{
    return argument.size() > 1 && argument.front() == '-';
}

}  // namespace

Options parseOptions(std::span<const char* const> arguments)
{
    Options options;
    std::optional<Output> chosenOutput;
    bool fileGiven = false;
    bool optionsEnded = false;
    for (const std::string_view argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "--help" || argument == "--version")) {
            options.action = argument == "--help" ? Action::ShowHelp : Action::ShowVersion;
            return options;
        } else if (!optionsEnded && isOption(argument)) {
            const std::optional<Output> output = outputOption(argument);
            if (!output)
                return usageError("unknown option '" + std::string(argument) + "'");
            if (chosenOutput && *chosenOutput != *output)
                return usageError("--php, --asp and --codes exclude each other");
            chosenOutput = output;
        } else if (fileGiven) {
            return usageError("more than one FILE");
        } else {
            options.file = argument;
            fileGiven = true;
        }
    }
    options.output = chosenOutput.value_or(Output::PhpScript);
    return options;
}

std::string_view usageText()
{
    return kUsage;
}

}  // namespace tagora::cli

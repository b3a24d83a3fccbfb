// The command line of tagora-convert.
#pragma once

#include "script_writer/targets.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tagora::cli {

enum class Action { Convert, ShowHelp, ShowVersion, UsageError };
// What is written: a script of the target, the character-code listing, or
// the HTML a script prints.
enum class Output { Script, CharacterCodes, Html };

struct Options {
    Action action = Action::Convert;
    Output output = Output::Script;
    Target target = Target::Php;
    std::optional<Target> from;      // --from: the language of the script (Html)
    Escaping escaping = Escaping::Exact;
    // --literal: the text as one string literal of the target, or (with
    // Html) such a literal back to its text, every byte as it is.
    bool literal = false;
    ScriptOptions script;            // --no-header, --name
    std::vector<std::string> files;  // "-" stands for standard input
    std::string outputFile;          // -o: one input into this file
    std::string outputDirectory;     // -d: each input into a file here
    // --encoding: empty for strict UTF-8, "auto", or the name of an
    // encoding in html_encoding.h.
    std::string encoding;
    // --output-encoding: empty to write a template in the encoding its file
    // was read in, or "UTF-8".
    std::string outputEncoding;
    std::optional<std::string> variableName;  // --name, until it is checked
    std::string root;                // --root: where an ASP include's virtual path starts
    bool dryRun = false;             // --dry-run: --to=html reports, writes nothing
    unsigned jobs = 0;               // -j: files converted at once with -d; 0: one per core
    bool explain = false;            // --explain: --to=html tells why each write stays code
    std::string problem;             // what is wrong, for Action::UsageError
};

// What an option takes after it.
enum class ValueKind {
    None,       // nothing: a flag
    File,       // a file's name
    Directory,  // a folder's name
    Word,       // one of the words it completes with, or another the program then checks
    Text,       // any text, then checked
};

struct ParseState;

// One option of the command line, and all that is said of it: how it is
// spelt, what it takes, its paragraph in --help (and so in the manual
// page, which help2man makes from --help), the words bash completes its
// value with, and what it does.
struct OptionInfo {
    char shortName;              // '\0': none
    std::string_view longName;   // without its "--"
    std::string_view valueName;  // as --help shows it: TARGET, FILE...; empty for a flag
    ValueKind value;
    // Wrapped at spaces to the width of --help; a line break starts a new
    // line there. %NAME% stands for a figure or list the program knows.
    std::string_view help;
    std::string (*completionWords)();  // ValueKind::Word: what bash offers, space-separated
    // What is done with it; a value the option does not allow is a
    // problem stated in the state.
    bool (*apply)(ParseState& state, std::string_view value);
    // Whether the other choices allow it (null: they always do).
    bool (*allowedWith)(const Options& options);
    std::string_view allowedText;  // "--to=html": in "--root applies to --to=html only"
};

// Every option, in the order of --help.
std::span<const OptionInfo> commandLineOptions();

Options parseOptions(std::span<const char* const> arguments);

std::string usageText();
std::string versionText();

}  // namespace tagora::cli

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
    std::string jobsText;            // -j, as given
    unsigned jobs = 0;               // -j: files converted at once with -d; 0: one per core
    bool explain = false;            // --explain: --to=html tells why each write stays code
    std::string problem;             // what is wrong, for Action::UsageError
};

Options parseOptions(std::span<const char* const> arguments);

std::string usageText();
std::string versionText();

}  // namespace tagora::cli

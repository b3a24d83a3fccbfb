// tagora-convert: the script generators of Tagora Converter for batch use.
// Reads UTF-8 HTML from files or standard input and writes the PHP or ASP
// script, or the character-code listing, as UTF-8, streaming in blocks of
// a fixed size.

#include "conversion.h"
#include "files.h"
#include "options.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <new>
#include <set>
#include <span>
#include <string>
#include <string_view>

namespace {

using namespace tagora::cli;

constexpr int kFailure = static_cast<int>(Outcome::Failed);

int writeText(std::string_view text)
{
    OutputFile output;
    output.openStandardOutput();
    if (output.write(text.data(), text.size()))
        return 0;
    complain(output.name() + ": cannot write: " + std::strerror(output.error()));
    return kFailure;
}

int showUsageError(const Options& options)
{
    complain(options.problem);
    complain("try 'tagora-convert --help' for more information");
    return kFailure;
}

// DIR/NAME and the target's extension (.html for HTML, .txt for the
// listing), NAME being the file's name without its directory and its last
// extension.
std::string outputPathFor(const std::string& file, const Options& options)
{
    std::string name = file.substr(file.rfind('/') == std::string::npos ? 0 : file.rfind('/') + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    const std::string_view extension = options.output == Output::Script ? tagora::targetInfo(options.target).extension
                                       : options.output == Output::Html ? ".html"
                                                                         : ".txt";
    std::string directory = options.outputDirectory;
    if (!directory.ends_with('/'))
        directory += '/';
    return directory + name + std::string(extension);
}

Outcome convertOne(Converter& converter, const std::string& file, const std::string& target)
{
    InputFile input;
    if (!input.open(file)) {
        complain(input.name() + ": cannot read: " + std::strerror(errno));
        return Outcome::Failed;
    }
    OutputFile output;
    if (target.empty()) {
        output.openStandardOutput();
    } else if (!output.openReplacing(target)) {
        complain(output.name() + ": cannot write: " + std::strerror(output.error()));
        return Outcome::Failed;
    }
    return converter.convert(input, output);
}

// Every file into the folder; one that fails does not stop the others,
// and no two files write the same output.
Outcome convertIntoDirectory(Converter& converter, const Options& options)
{
    Outcome worst = Outcome::Done;
    std::set<std::string> written;
    for (const std::string& file : options.files) {
        const std::string target = outputPathFor(file, options);
        Outcome outcome = Outcome::Failed;
        if (!written.insert(target).second)
            complain(file + ": not converted: " + target + " is the output of an earlier FILE");
        else
            outcome = convertOne(converter, file, target);
        worst = std::max(worst, outcome);
    }
    return worst;
}

int convert(const Options& options)
{
    Converter converter(options);
    if (!options.outputDirectory.empty())
        return static_cast<int>(convertIntoDirectory(converter, options));
    return static_cast<int>(convertOne(converter, options.files.front(), options.outputFile));
}

int run(std::span<const char* const> arguments)
{
    const Options options = parseOptions(arguments);
    switch (options.action) {
    case Action::ShowHelp:
        return writeText(usageText());
    case Action::ShowVersion:
        return writeText(versionText());
    case Action::UsageError:
        return showUsageError(options);
    case Action::Convert:
        break;
    }
    return convert(options);
}

}  // namespace

int main(int argc, char* argv[])
{
    installSignalHandlers();
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    try {
        return run(arguments.empty() ? arguments : arguments.subspan(1));
    } catch (const std::bad_alloc&) {
        complain("out of memory");
    } catch (const std::exception& exception) {
        complain(exception.what());
    }
    return kFailure;
}

// tagora-convert-completion: writes, at build time, the parts of the bash
// completion and of the option list for other tools that come from the
// table of options, so that an option added there is completed at once.
//   tagora-convert-completion TEMPLATE BASH_OUT JSON_OUT
// TEMPLATE holds {{OPTION_CASES}} (what follows each option),
// {{READS_SCRIPTS}} (the options after which the FILEs are scripts) and
// {{OPTION_WORDS}} (every option); JSON_OUT lists the options' spellings.

#include "options.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tagora::cli;

std::string readFile(const char* path)
{
    std::string text;
    if (std::FILE* file = std::fopen(path, "rb")) {
        char block[4096];
        for (std::size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
            text.append(block, got);
        std::fclose(file);
    }
    return text;
}

bool writeFile(const char* path, const std::string& text)
{
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

// What parsing these arguments alone gives.
Options parsed(const std::vector<std::string>& arguments)
{
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());
    return parseOptions(pointers);
}

std::string longSpelling(const OptionInfo& option)
{
    return "--" + std::string(option.longName);
}

// "-o | --output": the option's spellings as a case pattern.
std::string casePattern(const OptionInfo& option)
{
    return option.shortName ? std::string("-") + option.shortName + " | " + longSpelling(option) : longSpelling(option);
}

std::vector<std::string> words(const OptionInfo& option)
{
    std::vector<std::string> list;
    const std::string text = option.completionWords ? option.completionWords() : std::string();
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        list.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return list;
}

bool endsTheCommandLine(const OptionInfo& option)
{
    if (option.value != ValueKind::None)
        return false;
    const Action action = parsed({longSpelling(option)}).action;
    return action == Action::ShowHelp || action == Action::ShowVersion;
}

// What bash does after the option: complete its value, or nothing.
std::string caseArm(const OptionInfo& option)
{
    std::string arm = "        " + casePattern(option) + ")\n";
    switch (option.value) {
    case ValueKind::File:
        arm += "            _filedir\n";
        break;
    case ValueKind::Directory:
        arm += "            _filedir -d\n";
        break;
    case ValueKind::Word: {
        std::string list;
        for (const std::string& word : words(option))
            list.append(list.empty() ? "" : " ").append(word);
        arm += "            COMPREPLY=($(compgen -W '" + list + "' -- \"$cur\"))\n";
        break;
    }
    case ValueKind::Text:
    case ValueKind::None:
        break;
    }
    return arm + "            return\n            ;;\n";
}

std::string optionCases()
{
    std::string cases;
    for (const OptionInfo& option : commandLineOptions()) {
        if (option.value != ValueKind::None || endsTheCommandLine(option))
            cases += caseArm(option);
    }
    return cases;
}

bool readsScripts(const std::vector<std::string>& arguments)
{
    const Options options = parsed(arguments);
    return options.action == Action::Convert && options.output == Output::Html;
}

// The words of the command line after which the FILEs to offer are
// scripts: a flag, an option with its value attached, or an option
// whose next word is that value.
std::string scriptCases()
{
    std::string attached;
    std::string cases;
    for (const OptionInfo& option : commandLineOptions()) {
        if (option.value == ValueKind::None) {
            if (readsScripts({longSpelling(option)}))
                attached.append(attached.empty() ? "" : " | ").append(casePattern(option));
            continue;
        }
        std::string values;
        for (const std::string& word : words(option)) {
            if (!readsScripts({longSpelling(option) + "=" + word}))
                continue;
            values.append(values.empty() ? "" : "|").append(word);
            attached.append(attached.empty() ? "" : " | ").append(longSpelling(option) + "=" + word);
            if (option.shortName)
                attached.append(std::string(" | -") + option.shortName + word);
        }
        if (!values.empty())
            cases += "            " + casePattern(option) + ") [[ ${words[i + 1]} == @(" + values
                     + ") ]] && files=$scripts ;;\n";
    }
    return "            " + attached + ") files=$scripts ;;\n" + cases;
}

std::string optionWords()
{
    std::string list;
    for (const OptionInfo& option : commandLineOptions())
        list.append(list.empty() ? "" : " ").append(longSpelling(option)).append(option.value == ValueKind::None ? "" : "=");
    return list;
}

std::string optionsJson()
{
    std::string json = "[\n";
    for (const OptionInfo& option : commandLineOptions()) {
        json.append(json.size() > 2 ? ",\n" : "").append("  {\"long\": \"").append(option.longName).append("\", ");
        json.append("\"short\": ").append(option.shortName ? std::string("\"") + option.shortName + "\"" : "null");
        json.append(", \"takesValue\": ").append(option.value == ValueKind::None ? "false" : "true").append("}");
    }
    return json + "\n]\n";
}

bool replaceLine(std::string& text, std::string_view marker, const std::string& lines)
{
    const std::size_t at = text.find(marker);
    if (at == std::string::npos)
        return false;
    const std::size_t lineStart = text.rfind('\n', at) + 1;
    const std::size_t lineEnd = text.find('\n', at) + 1;
    text.replace(lineStart, lineEnd - lineStart, lines);
    return true;
}

}  // namespace

constexpr const char* kUsage =
    "Usage: tagora-convert-completion TEMPLATE BASH_OUT JSON_OUT\n"
    "Writes tagora-convert's bash completion from TEMPLATE and its table of\n"
    "options, and that table as JSON (run by the build).\n";

int main(int argc, char** argv)
{
    if (argc > 1 && std::string_view(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 4) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string script = readFile(argv[1]);
    const bool filled = replaceLine(script, "{{OPTION_CASES}}", optionCases())
                        && replaceLine(script, "{{READS_SCRIPTS}}", scriptCases());
    const std::size_t words = script.find("{{OPTION_WORDS}}");
    if (!filled || words == std::string::npos) {
        std::fprintf(stderr, "tagora-convert-completion: %s lacks a marker\n", argv[1]);
        return 2;
    }
    script.replace(words, std::string_view("{{OPTION_WORDS}}").size(), optionWords());
    if (!writeFile(argv[2], script) || !writeFile(argv[3], optionsJson())) {
        std::fputs("tagora-convert-completion: cannot write its output\n", stderr);
        return 2;
    }
    return 0;
}

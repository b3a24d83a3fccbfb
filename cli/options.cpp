#include "options.h"

#include "script_writer/credits.h"
#include "input_text/html_encoding.h"
#include "files.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <variant>

namespace tagora::cli {
namespace {

constexpr std::string_view kUsageStart =
    "Usage: tagora-convert [OPTION]... [FILE]...\n"
    "Turn HTML into a script that prints it, exactly as Tagora Converter does: a\n"
    "PHP script of echo statements (the default), a classic ASP script of\n"
    "Response.Write statements, or one of the other targets below; or list the\n"
    "Windows-1252 code of every character.\n"
    "\n"
    "With no FILE, or when FILE is -, read standard input.\n"
    "\n"
    "  -t, --to=TARGET        write a script of TARGET (default php):\n"
    ;

// After the table of targets; %OUTPUT-DIR% stands for the text of -d.
constexpr std::string_view kUsageOptions =
    "                           html        the HTML a script prints (see below)\n"
    "  -f, --from=TARGET      with --to=html: the script is of TARGET (else it is\n"
    "                           recognised)\n"
    "      --no-header        leave out the comment lines naming this program\n"
    "                           (the first line a script needs stays)\n"
    "  -n, --name=NAME        js and js-concat: the constant that holds the text\n"
    "                           (default html); a JavaScript name of at most 64\n"
    "                           ASCII letters, digits, _ and $, not a reserved word\n"
    "      --php              the same as --to=php\n"
    "      --asp              the same as --to=asp\n"
    "      --codes            write the character-code listing\n"
    "  -l, --literal          write the input as one string literal of TARGET and\n"
    "                           nothing else (no header, no statement), to go\n"
    "                           inside code; with --to=html, read such a literal\n"
    "                           (or several joined as TARGET joins them) back to\n"
    "                           its text, TARGET recognised unless --from names it\n"
    "  -u, --unescape         the same as --to=html --literal\n"
    "      --classic          escape as version 1.0 did (php and asp only): PHP\n"
    "                           leaves $ as it is and ASP turns every double quote\n"
    "                           into an apostrophe\n"
    "      --encoding=ENC     read input in ENC: 'auto' to tell it as the window\n"
    "                           does, or an encoding as browsers name it\n"
    "                           (windows-1252, latin1, shift_jis, utf-16le...)\n"
    "      --output-encoding=utf-8  with --to=html: write a PHP or ASP template\n"
    "                           read in another encoding as UTF-8, with a warning\n"
    "                           where its code holds bytes beyond ASCII\n"
    "      --root=DIR         with --to=html: an ASP include's virtual=\"/...\" path\n"
    "                           starts in DIR (default: the page's folder); no\n"
    "                           included file is read outside DIR\n"
    "      --dry-run          with --to=html: write nothing, only the report\n"
    "                           below\n"
    "      --explain          with --to=html: for each write of a template left\n"
    "                           as code, kept whole or with its values computed\n"
    "                           first, a line FILE:LINE:COLUMN: why\n"
    "  -o, --output=FILE      write to FILE instead of standard output; FILE is\n"
    "                           replaced only once the whole output is written\n"
    "  -d, --output-dir=DIR   %OUTPUT-DIR%\n"
    "  -j, --jobs=N           with -d: convert N files at once (1 to 64; default:\n"
    "                           one per processor core)\n"
    "      --help             display this help and exit\n"
    "      --version          output version information and exit\n"
    "\n"
    "The scripts print their input exactly: PHP escapes \\, \", TAB and $; ASP\n"
    "doubles quotes and writes %> as %\" & \">. A line break prints as LF (as CR LF\n"
    "in asp, and as it is in php-nowdoc). js, js-concat and json never hold </ or\n"
    "<!-- as they are, nor U+2028 or U+2029, so they are safe inside a <script>\n"
    "element; jsp is ASCII, non-ASCII written as \\u escapes. php-nowdoc reads its\n"
    "input twice: a pipe is first copied to a temporary file.\n"
    "\n"
    "Input is read as UTF-8; a byte-order mark at its start is skipped. Every line\n"
    "break (CR LF, LF, CR or U+2029) counts as CR LF, and U+FDD0 and U+FDD1 become\n"
    "U+FFFD, as when the text is pasted into the window. The output is UTF-8, with\n"
    "no newline added at the end. With -d, a FILE that fails is reported and the\n"
    "others are still converted.\n"
    "\n"
    "With --encoding=auto, each input is read as the window opens a file: in the\n"
    "encoding of its UTF-8 or UTF-16 byte-order mark; as UTF-16 when its first\n"
    "bytes can be nothing else; as UTF-8 when it is valid UTF-8; else in the\n"
    "encoding its <meta charset> names within the first 1024 bytes, or as\n"
    "Windows-1252 (with a note on standard error). With --encoding=ENC, a\n"
    "byte-order mark still decides, as in browsers. Bytes that are not valid in\n"
    "the encoding become U+FFFD, with a note. This applies to every target,\n"
    "--to=html and --codes alike. A PHP file or ASP page read in an encoding\n"
    "other than UTF-8 or UTF-16 becomes a template in that same encoding, byte\n"
    "for byte where it stays code, so escapes such as \"\\xe9\" and string\n"
    "literals keep their meaning; --output-encoding=utf-8 writes it in UTF-8\n"
    "instead, with a warning for each place where its code (not a comment)\n"
    "holds bytes beyond ASCII or names a code page.\n"
    "\n"
    "With --literal, input and output are taken byte for byte, as an editor's\n"
    "filter needs them (Vim's :'<,'>!tagora-convert --to=js --literal): every line\n"
    "break stays as it is, the literal ends with one only if the input does, and\n"
    "an empty input gives the empty literal (\"\"). A literal of php, perl, python,\n"
    "json or jsp is one line; js is a template literal, js-concat strings joined\n"
    "with + (one per line), asp strings joined with & vbCrLf & (vbLf, vbCr), and\n"
    "php-nowdoc a nowdoc without the ;. Reading one back, blank space around it\n"
    "is passed over, and anything else is an error with its line and column,\n"
    "nothing written.\n"
    "\n"
    "Invalid UTF-8 is an error, reported with the byte offset (from 0) where the\n"
    "bad sequence starts. Regular files are checked before anything is written,\n"
    "and with -o or -d nothing is written for a bad input. When a pipe or terminal\n"
    "is converted to standard output, the output written so far stays and stops\n"
    "before the bad sequence. A file that changes while it is read is an error.\n"
    "\n"
    "With --to=html, a PHP or ASP file that is not one of this program's scripts\n"
    "becomes a template. The files an ASP page includes (<!--#include file=...-->\n"
    "from the including file's folder, virtual=... from --root) are read, regular\n"
    "files only, each once, to learn which names are variables and which are\n"
    "procedures; writes that concatenate what may print stay whole. With -d or\n"
    "--dry-run, a line per file on standard output says how many echo/print or\n"
    "Response.Write statements were converted and left as code, and how much of\n"
    "the text they write is now plain HTML.\n"
    "\n"
    "An output is never written over an input, nor over a file that the shell's >\n"
    "could not write (read-only); a symbolic link is followed to an existing file.\n"
    "When the reader of standard output goes away, as 'head' does, the program\n"
    "ends quietly, as cat does.\n"
    "\n"
    "Exit status:\n"
    " 0  if OK,\n"
    " 1  if an input is empty (nothing is written for it; --literal writes the\n"
    "    empty literal),\n"
    " 2  if an input is not valid UTF-8 or changes while it is read, a file cannot\n"
    "    be read or written (or would be written over an input), or the command\n"
    "    line is wrong.\n";

constexpr std::string_view kTableIndent = "                           ";
constexpr std::size_t kTargetColumn = 12;  // the width of the target names' column
constexpr std::size_t kHelpWidth = 80;
constexpr std::string_view kOutputDirectory = "%OUTPUT-DIR%";

std::string padded(std::string_view text, std::size_t width)
{
    std::string result(text);
    result.resize(std::max(width, text.size() + 1), ' ');
    return result;
}

// The words wrapped before kHelpWidth, the first line starting at
// firstColumn and the others with indent.
std::string wrapped(std::string_view words, std::size_t firstColumn, std::string_view indent)
{
    std::string text;
    std::size_t column = firstColumn;
    while (!words.empty()) {
        const std::string_view word = words.substr(0, words.find(' '));
        words.remove_prefix(std::min(word.size() + 1, words.size()));
        if (!text.empty() && column + 1 + word.size() >= kHelpWidth) {
            text.append("\n").append(indent);
            column = indent.size();
        } else if (!text.empty()) {
            text += ' ';
            ++column;
        }
        text.append(word);
        column += word.size();
    }
    return text;
}

std::string outputDirectoryText()
{
    std::string extensions;
    for (const std::string_view extension : scriptExtensions())
        extensions.append(extensions.empty() ? "" : ", ").append(extension.substr(1));
    return wrapped("write each FILE's output to DIR/NAME.EXT, NAME being FILE's name without its "
                   "directory and extension and EXT the target's (" + extensions +
                       "; html for --to=html, txt for codes); DIR must exist",
                   kTableIndent.size() - 3, kTableIndent);
}

// The output a flag chooses: a target, or the listing.
using Choice = std::variant<Target, Output>;

std::optional<Choice> flagChoice(std::string_view argument)
{
    if (argument == "--php")
        return Target::Php;
    if (argument == "--asp")
        return Target::Asp;
    if (argument == "--codes")
        return Output::CharacterCodes;
    return std::nullopt;
}

std::string targetNames()
{
    std::string names;
    for (const TargetInfo& info : targets())
        names.append(names.empty() ? "" : ", ").append(info.name);
    return names;
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

// An option that takes a value: "-o FILE", "-oFILE", "--output FILE" or
// "--output=FILE"; the value goes into the field.
struct ValueOption {
    std::string_view shortName;
    std::string_view longName;
    std::string Options::*field;
};

constexpr ValueOption kValueOptions[] = {
    {"-o", "--output", &Options::outputFile},
    {"-d", "--output-dir", &Options::outputDirectory},
    {"-t", "--to", nullptr},  // chooses the target
    {"-f", "--from", nullptr},  // names the script's language
    {{}, "--encoding", &Options::encoding},
    {{}, "--output-encoding", &Options::outputEncoding},
    {"-n", "--name", nullptr},  // the variable of js and js-concat
    {{}, "--root", &Options::root},
    {"-j", "--jobs", &Options::jobsText},
};

// The encoding --encoding names, by the name html_encoding.h gives it;
// strict UTF-8 is the default, spelt empty.
std::optional<std::string> encodingOption(const std::string& value, std::string& problem)
{
    if (value == "auto")
        return value;
    const std::optional<std::string_view> encoding = html::encodingForLabel(value);
    if (!encoding)
        problem = "unknown encoding '" + value + "'";
    else if (*encoding == html::kReplacement)
        problem = "encoding '" + value + "' is not supported: browsers refuse to read it";
    else
        return *encoding == html::kUtf8 ? std::string() : std::string(*encoding);
    return std::nullopt;
}

class Parser {
public:
    explicit Parser(std::span<const char* const> arguments) : m_arguments(arguments) {}

    Options parse()
    {
        for (m_next = 0; m_next < m_arguments.size();) {
            const std::string_view argument = m_arguments[m_next++];
            if (m_optionsEnded || !isOption(argument))
                m_options.files.emplace_back(argument);
            else if (argument == "--")
                m_optionsEnded = true;
            else if (argument == "--help" || argument == "--version")
                return action(argument == "--help" ? Action::ShowHelp : Action::ShowVersion);
            else if (!option(argument))
                return usageError(m_problem);
        }
        return checked();
    }

private:
    Options action(Action chosen)
    {
        Options options;
        options.action = chosen;
        return options;
    }

    bool jobsChosen()
    {
        const std::string& text = m_options.jobsText;
        unsigned jobs = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
        if (error != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > kMostJobs)
            return false;
        m_options.jobs = jobs;
        return true;
    }

    bool fail(std::string problem)
    {
        m_problem = std::move(problem);
        return false;
    }

    bool option(std::string_view argument)
    {
        if (argument == "--classic") {
            m_options.escaping = Escaping::Classic;
            return true;
        }
        if (argument == "--literal" || argument == "-l") {
            m_options.literal = true;
            return true;
        }
        if (argument == "--unescape" || argument == "-u") {
            m_options.literal = true;
            return choose(Output::Html);
        }
        if (argument == "--no-header") {
            m_options.script.header = false;
            return true;
        }
        if (argument == "--dry-run") {
            m_options.dryRun = true;
            return true;
        }
        if (argument == "--explain") {
            m_options.explain = true;
            return true;
        }
        if (const std::optional<Choice> choice = flagChoice(argument))
            return choose(*choice);
        for (const ValueOption& valueOption : kValueOptions) {
            if (const std::optional<std::string_view> value = valueOf(argument, valueOption)) {
                if (value->empty())
                    return fail("option '" + std::string(argument) + "' needs a value");
                if (valueOption.longName == "--name") {
                    m_options.variableName = std::string(*value);
                    return true;
                }
                if (!valueOption.field)
                    return valueOption.longName == "--to" ? chooseTarget(*value) : chooseSource(*value);
                m_options.*valueOption.field = *value;
                return true;
            }
        }
        return fail("unrecognized option '" + std::string(argument) + "'");
    }

    bool chooseTarget(std::string_view name)
    {
        if (name == "html")
            return choose(Output::Html);
        const std::optional<Target> target = targetNamed(name);
        if (!target)
            return fail("unknown target '" + std::string(name) + "' (targets: " + targetNames() + ", html)");
        return choose(*target);
    }

    bool chooseSource(std::string_view name)
    {
        m_options.from = targetNamed(name);
        return m_options.from
               || fail("unknown script language '" + std::string(name) + "' (one of: " + targetNames() + ")");
    }

    bool choose(Choice choice)
    {
        if (m_choice && *m_choice != choice)
            return fail("--to, --php, --asp and --codes exclude each other");
        m_choice = choice;
        return true;
    }

    // The option's value when the argument is that option, taking the next
    // argument when the value is not attached; empty when it is missing.
    std::optional<std::string_view> valueOf(std::string_view argument, const ValueOption& option)
    {
        for (const std::string_view name : {option.shortName, option.longName}) {
            if (!name.empty() && argument == name)
                return m_next < m_arguments.size() ? m_arguments[m_next++] : std::string_view();
        }
        if (argument.starts_with(option.longName) && argument[option.longName.size()] == '=')
            return argument.substr(option.longName.size() + 1);
        if (!option.shortName.empty() && argument.starts_with(option.shortName) && !argument.starts_with("--"))
            return argument.substr(option.shortName.size());
        return std::nullopt;
    }

    Options checked()
    {
        const Choice choice = m_choice.value_or(Target::Php);
        if (const Target* target = std::get_if<Target>(&choice))
            m_options.target = *target;
        else
            m_options.output = std::get<Output>(choice);
        if (m_options.escaping == Escaping::Classic
            && (m_options.output == Output::Html
                || (m_options.output == Output::Script && !targetInfo(m_options.target).hasClassicEscaping)))
            return usageError("--classic applies to --to=php and --to=asp only");
        if (m_options.literal && m_options.output == Output::CharacterCodes)
            return usageError("--literal does not apply to --codes");
        if (m_options.literal && m_options.escaping == Escaping::Classic)
            return usageError("--classic does not apply to --literal: a literal holds its text exactly");
        if (m_options.from && m_options.output != Output::Html)
            return usageError("--from applies to --to=html only");
        if (m_options.variableName) {
            const bool named = m_options.output == Output::Script
                               && (m_options.target == Target::Js || m_options.target == Target::JsConcat);
            if (!named)
                return usageError("--name applies to --to=js and --to=js-concat only");
            if (!isValidVariableName(*m_options.variableName))
                return usageError("'" + *m_options.variableName
                                  + "' cannot name a JavaScript constant: give letters, digits, _ and $, "
                                    "at most 64, not starting with a digit, and no reserved word");
            m_options.script.variableName = *m_options.variableName;
        }
        if (!m_options.script.header && m_options.output != Output::Script)
            return usageError("--no-header applies to scripts only");
        if (!m_options.root.empty() && m_options.output != Output::Html)
            return usageError("--root applies to --to=html only");
        if (m_options.dryRun && m_options.output != Output::Html)
            return usageError("--dry-run applies to --to=html only");
        if (m_options.explain && m_options.output != Output::Html)
            return usageError("--explain applies to --to=html only");
        if (m_options.dryRun && !m_options.outputFile.empty())
            return usageError("--dry-run writes nothing: it takes no -o");
        if (m_options.files.empty())
            m_options.files.emplace_back("-");
        if (!m_options.outputFile.empty() && !m_options.outputDirectory.empty())
            return usageError("-o and -d exclude each other");
        if (m_options.outputDirectory.empty() && m_options.files.size() > 1)
            return usageError("more than one FILE needs -d DIR");
        if (!m_options.outputDirectory.empty()) {
            for (const std::string& file : m_options.files) {
                if (file == "-")
                    return usageError("-d DIR takes named FILEs, not standard input");
            }
        }
        if (!m_options.jobsText.empty() && !jobsChosen())
            return usageError("-j takes a number of files at once from 1 to " + std::to_string(kMostJobs));
        if (!m_options.encoding.empty()) {
            std::string problem;
            const std::optional<std::string> encoding = encodingOption(m_options.encoding, problem);
            if (!encoding)
                return usageError(problem);
            m_options.encoding = *encoding;
        }
        if (!m_options.outputEncoding.empty()) {
            if (html::encodingForLabel(m_options.outputEncoding) != html::kUtf8)
                return usageError("--output-encoding takes utf-8 only (a template is otherwise written in the "
                                  "encoding its file was read in)");
            m_options.outputEncoding = html::kUtf8;
        }
        return m_options;
    }

    std::span<const char* const> m_arguments;
    std::size_t m_next = 0;
    Options m_options;
    std::optional<Choice> m_choice;
    bool m_optionsEnded = false;
    std::string m_problem;
};

}  // namespace

Options parseOptions(std::span<const char* const> arguments)
{
    return Parser(arguments).parse();
}

std::string usageText()
{
    std::string text(kUsageStart);
    for (const TargetInfo& info : targets())
        text.append(kTableIndent).append(padded(info.name, kTargetColumn)).append(info.summary).append("\n");
    std::string options(kUsageOptions);
    options.replace(options.find(kOutputDirectory), kOutputDirectory.size(), outputDirectoryText());
    return text.append(options);
}

std::string versionText()
{
    std::string text("tagora-convert (");
    text.append(credits::kProductName).append(") ").append(credits::kVersion).append("\n");
    text.append("Written by ").append(credits::kDeveloperName).append(".\n");
    return text;
}

}  // namespace tagora::cli

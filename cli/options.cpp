#include "options.h"

#include "script_writer/credits.h"
#include "input_text/html_encoding.h"
#include "files.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <variant>

namespace tagora::cli {

// The output a flag or --to chooses: a target, the listing, or HTML.
using Choice = std::variant<Target, Output>;

// What the options given so far make of the command line.
struct ParseState {
    Options options;
    std::optional<Choice> choice;
    std::string problem;  // why the last option given is refused
};

namespace {

constexpr std::string_view kUsageStart =
    "Usage: tagora-convert [OPTION]... [FILE]...\n"
    "Turn HTML into a script that prints it, exactly as Tagora Converter does: a\n"
    "PHP script of echo statements (the default), a classic ASP script of\n"
    "Response.Write statements, or one of the other targets below; or list the\n"
    "Windows-1252 code of every character.\n"
    "\n"
    "With no FILE, or when FILE is -, read standard input.\n"
    "\n";

// After the options.
constexpr std::string_view kUsageEnd =
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

constexpr std::size_t kHelpWidth = 80;     // every line of --help is shorter
constexpr std::size_t kHelpColumn = 25;    // where an option's paragraph starts
constexpr std::string_view kHelpIndent = "                           ";  // its next lines
constexpr std::size_t kTargetColumn = 12;  // the width of the target names' column
constexpr std::string_view kTargetTable = "%TARGETS%";  // a help line that is the table of --to
constexpr std::string_view kHtmlSummary = "the HTML a script prints (see below)";

// At least gap spaces after the text, up to width.
std::string padded(std::string_view text, std::size_t width, std::size_t gap = 1)
{
    std::string result(text);
    result.resize(std::max(width, text.size() + gap), ' ');
    return result;
}

// The words wrapped before kHelpWidth, the first line starting at
// firstColumn and the others with kHelpIndent.
std::string wrapped(std::string_view words, std::size_t firstColumn)
{
    std::string text;
    std::size_t column = firstColumn;
    while (!words.empty()) {
        const std::string_view word = words.substr(0, words.find(' '));
        words.remove_prefix(std::min(word.size() + 1, words.size()));
        if (!text.empty() && column + 1 + word.size() >= kHelpWidth) {
            text.append("\n").append(kHelpIndent);
            column = kHelpIndent.size();
        } else if (!text.empty()) {
            text += ' ';
            ++column;
        }
        text.append(word);
        column += word.size();
    }
    return text;
}

std::string joined(std::span<const std::string_view> words, std::string_view separator)
{
    std::string text;
    for (const std::string_view word : words)
        text.append(text.empty() ? "" : separator).append(word);
    return text;
}

std::vector<std::string_view> targetNameList()
{
    std::vector<std::string_view> names;
    for (const TargetInfo& info : targets())
        names.push_back(info.name);
    return names;
}

std::string targetNames()
{
    return joined(targetNameList(), ", ");
}

// The figures and lists that help paragraphs name.
std::string expanded(std::string_view help)
{
    std::vector<std::string_view> extensions = scriptExtensions();
    for (std::string_view& extension : extensions)
        extension.remove_prefix(1);
    const std::pair<std::string_view, std::string> known[] = {
        {"%EXTENSIONS%", joined(extensions, ", ")},
        {"%LONGEST-NAME%", std::to_string(kLongestVariableName)},
        {"%MOST-JOBS%", std::to_string(kMostJobs)},
    };
    std::string text(help);
    for (const auto& [name, value] : known) {
        if (const std::size_t at = text.find(name); at != std::string::npos)
            text.replace(at, name.size(), value);
    }
    return text;
}

// The lines of the targets under --to, html last.
std::string targetTable()
{
    std::string rows;
    for (const TargetInfo& info : targets())
        rows.append(kHelpIndent).append(padded(info.name, kTargetColumn)).append(info.summary).append("\n");
    return rows.append(kHelpIndent).append(padded("html", kTargetColumn)).append(kHtmlSummary);
}

bool fail(ParseState& state, std::string problem)
{
    state.problem = std::move(problem);
    return false;
}

bool choose(ParseState& state, Choice choice)
{
    if (state.choice && *state.choice != choice)
        return fail(state, "--to, --php, --asp and --codes exclude each other");
    state.choice = choice;
    return true;
}

bool chooseTarget(ParseState& state, std::string_view name)
{
    if (name == "html")
        return choose(state, Output::Html);
    const std::optional<Target> target = targetNamed(name);
    if (!target)
        return fail(state, "unknown target '" + std::string(name) + "' (targets: " + targetNames() + ", html)");
    return choose(state, *target);
}

bool chooseSource(ParseState& state, std::string_view name)
{
    state.options.from = targetNamed(name);
    return state.options.from
           || fail(state, "unknown script language '" + std::string(name) + "' (one of: " + targetNames() + ")");
}

// --encoding: strict UTF-8 (the default) is spelt empty, any other
// encoding by the name html_encoding.h gives it.
bool chooseEncoding(ParseState& state, std::string_view value)
{
    if (value == "auto") {
        state.options.encoding = value;
        return true;
    }
    const std::string label(value);
    const std::optional<std::string_view> encoding = html::encodingForLabel(label);
    if (!encoding)
        return fail(state, "unknown encoding '" + label + "'");
    if (*encoding == html::kReplacement)
        return fail(state, "encoding '" + label + "' is not supported: browsers refuse to read it");
    state.options.encoding = *encoding == html::kUtf8 ? std::string() : std::string(*encoding);
    return true;
}

bool chooseOutputEncoding(ParseState& state, std::string_view value)
{
    if (html::encodingForLabel(std::string(value)) != html::kUtf8)
        return fail(state, "--output-encoding takes utf-8 only (a template is otherwise written in the "
                           "encoding its file was read in)");
    state.options.outputEncoding = html::kUtf8;
    return true;
}

bool chooseJobs(ParseState& state, std::string_view text)
{
    unsigned jobs = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (error != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > kMostJobs)
        return fail(state, "-j takes a number of files at once from 1 to " + std::to_string(kMostJobs));
    state.options.jobs = jobs;
    return true;
}

bool readsScripts(const Options& options)
{
    return options.output == Output::Html;
}

bool writesScripts(const Options& options)
{
    return options.output == Output::Script;
}

bool namesItsConstant(const Options& options)
{
    return options.output == Output::Script && (options.target == Target::Js || options.target == Target::JsConcat);
}

bool hasClassicEscaping(const Options& options)
{
    return options.output != Output::Html
           && (options.output != Output::Script || targetInfo(options.target).hasClassicEscaping);
}

std::string targetWordsAndHtml()
{
    return joined(targetNameList(), " ") + " html";
}

std::string targetWords()
{
    return joined(targetNameList(), " ");
}

std::string encodingWords()
{
    return "auto utf-8 windows-1252 iso-8859-1 iso-8859-2 iso-8859-15 windows-1250 windows-1251 koi8-r shift_jis "
           "euc-jp iso-2022-jp gbk gb18030 big5 euc-kr utf-16le utf-16be";
}

std::string utf8Word()
{
    return "utf-8";
}

std::string jobWords()
{
    return "1 2 4 8 16";
}

// An option that sets a flag of Options, or keeps its value in a field.
template <bool Options::*flag>
bool setFlag(ParseState& state, std::string_view)
{
    state.options.*flag = true;
    return true;
}

template <std::string Options::*field>
bool keepText(ParseState& state, std::string_view value)
{
    state.options.*field = value;
    return true;
}

using Kind = ValueKind;

constexpr OptionInfo kOptions[] = {
    {'t', "to", "TARGET", Kind::Word, "write a script of TARGET (default php):\n%TARGETS%", targetWordsAndHtml,
     chooseTarget, nullptr, {}},
    {'f', "from", "TARGET", Kind::Word, "with --to=html: the script is of TARGET (else it is recognised)",
     targetWords, chooseSource, readsScripts, "--to=html"},
    {0, "no-header", {}, Kind::None,
     "leave out the comment lines naming this program\n(the first line a script needs stays)", nullptr,
     [](ParseState& state, std::string_view) {
         state.options.script.header = false;
         return true;
     },
     writesScripts, "scripts"},
    {'n', "name", "NAME", Kind::Text,
     "js and js-concat: the constant that holds the text (default html); a JavaScript name of at most "
     "%LONGEST-NAME% ASCII letters, digits, _ and $, not a reserved word",
     nullptr,
     [](ParseState& state, std::string_view name) {
         state.options.variableName = std::string(name);
         return true;
     },
     namesItsConstant, "--to=js and --to=js-concat"},
    {0, "php", {}, Kind::None, "the same as --to=php", nullptr,
     [](ParseState& state, std::string_view) { return choose(state, Target::Php); }, nullptr, {}},
    {0, "asp", {}, Kind::None, "the same as --to=asp", nullptr,
     [](ParseState& state, std::string_view) { return choose(state, Target::Asp); }, nullptr, {}},
    {0, "codes", {}, Kind::None, "write the character-code listing", nullptr,
     [](ParseState& state, std::string_view) { return choose(state, Output::CharacterCodes); }, nullptr, {}},
    {'l', "literal", {}, Kind::None,
     "write the input as one string literal of TARGET and\nnothing else (no header, no statement), to go\n"
     "inside code; with --to=html, read such a literal\n(or several joined as TARGET joins them) back to\n"
     "its text, TARGET recognised unless --from names it",
     nullptr, setFlag<&Options::literal>, nullptr, {}},
    {'u', "unescape", {}, Kind::None, "the same as --to=html --literal", nullptr,
     [](ParseState& state, std::string_view) {
         state.options.literal = true;
         return choose(state, Output::Html);
     },
     nullptr, {}},
    {0, "classic", {}, Kind::None,
     "escape as version 1.0 did (php and asp only): PHP leaves $ as it is and ASP turns every double quote "
     "into an apostrophe",
     nullptr,
     [](ParseState& state, std::string_view) {
         state.options.escaping = Escaping::Classic;
         return true;
     },
     hasClassicEscaping, "--to=php and --to=asp"},
    {0, "encoding", "ENC", Kind::Word,
     "read input in ENC: 'auto' to tell it as the window does, or an encoding as browsers name it "
     "(windows-1252, latin1, shift_jis, utf-16le...)",
     encodingWords, chooseEncoding, nullptr, {}},
    {0, "output-encoding", "utf-8", Kind::Word,
     "with --to=html: write a PHP or ASP template\nread in another encoding as UTF-8, with a warning\n"
     "where its code holds bytes beyond ASCII",
     utf8Word, chooseOutputEncoding, nullptr, {}},
    {0, "root", "DIR", Kind::Directory,
     "with --to=html: an ASP include's virtual=\"/...\" path starts in DIR (default: the page's folder); no "
     "included file is read outside DIR",
     nullptr, keepText<&Options::root>, readsScripts, "--to=html"},
    {0, "dry-run", {}, Kind::None, "with --to=html: write nothing, only the report\nbelow", nullptr,
     setFlag<&Options::dryRun>, readsScripts, "--to=html"},
    {0, "explain", {}, Kind::None,
     "with --to=html: for each write of a template left\nas code, kept whole or with its values computed\n"
     "first, a line FILE:LINE:COLUMN: why",
     nullptr, setFlag<&Options::explain>, readsScripts, "--to=html"},
    {'o', "output", "FILE", Kind::File,
     "write to FILE instead of standard output; FILE is replaced only once the whole output is written",
     nullptr, keepText<&Options::outputFile>, nullptr, {}},
    {'d', "output-dir", "DIR", Kind::Directory,
     "write each FILE's output to DIR/NAME.EXT, NAME being FILE's name without its directory and extension "
     "and EXT the target's (%EXTENSIONS%; html for --to=html, txt for codes); DIR must exist",
     nullptr, keepText<&Options::outputDirectory>, nullptr, {}},
    {'j', "jobs", "N", Kind::Word,
     "with -d: convert N files at once (1 to %MOST-JOBS%; default: one per processor core)", jobWords, chooseJobs,
     nullptr, {}},
    {0, "help", {}, Kind::None, "display this help and exit", nullptr,
     [](ParseState& state, std::string_view) {
         state.options.action = Action::ShowHelp;
         return true;
     },
     nullptr, {}},
    {0, "version", {}, Kind::None, "output version information and exit", nullptr,
     [](ParseState& state, std::string_view) {
         state.options.action = Action::ShowVersion;
         return true;
     },
     nullptr, {}},
};

// The option an argument names, and the value attached to it ("-oFILE",
// "--output=FILE"), if any.
struct Named {
    const OptionInfo* option = nullptr;
    std::optional<std::string_view> attached;
};

Named named(std::string_view argument)
{
    const bool isLong = argument.starts_with("--");
    const std::string_view body = argument.substr(isLong ? 2 : 1);
    const std::size_t equals = isLong ? body.find('=') : std::string_view::npos;
    const auto found = std::find_if(std::begin(kOptions), std::end(kOptions), [&](const OptionInfo& option) {
        return isLong ? option.longName == body.substr(0, equals) : option.shortName == body.front();
    });
    if (found == std::end(kOptions))
        return {};
    const bool attached = isLong ? equals != std::string_view::npos : body.size() > 1;
    if (!attached)
        return {found, std::nullopt};
    if (found->value == ValueKind::None)
        return {};  // "--php=x", "-lu"
    return {found, isLong ? body.substr(equals + 1) : body.substr(1)};
}

Options usageError(std::string problem)
{
    Options options;
    options.action = Action::UsageError;
    options.problem = std::move(problem);
    return options;
}

Options justTheAction(Action action)
{
    Options options;
    options.action = action;
    return options;
}

bool isOption(std::string_view argument)
{
    return argument.size() > 1 && argument.front() == '-';
}

// What the options given make together; what is wrong as a usage error.
Options checked(ParseState& state, const std::vector<const OptionInfo*>& given)
{
    Options& options = state.options;
    const Choice choice = state.choice.value_or(Target::Php);
    if (const Target* target = std::get_if<Target>(&choice))
        options.target = *target;
    else
        options.output = std::get<Output>(choice);
    for (const OptionInfo* option : given) {
        if (option->allowedWith && !option->allowedWith(options))
            return usageError("--" + std::string(option->longName) + " applies to " + std::string(option->allowedText)
                              + " only");
    }
    if (options.literal && options.output == Output::CharacterCodes)
        return usageError("--literal does not apply to --codes");
    if (options.literal && options.escaping == Escaping::Classic)
        return usageError("--classic does not apply to --literal: a literal holds its text exactly");
    if (options.variableName) {
        if (!isValidVariableName(*options.variableName))
            return usageError("'" + *options.variableName
                              + "' cannot name a JavaScript constant: give letters, digits, _ and $, at most "
                              + std::to_string(kLongestVariableName) + ", not starting with a digit, and no reserved word");
        options.script.variableName = *options.variableName;
    }
    if (options.dryRun && !options.outputFile.empty())
        return usageError("--dry-run writes nothing: it takes no -o");
    if (options.files.empty())
        options.files.emplace_back("-");
    if (!options.outputFile.empty() && !options.outputDirectory.empty())
        return usageError("-o and -d exclude each other");
    if (options.outputDirectory.empty() && options.files.size() > 1)
        return usageError("more than one FILE needs -d DIR");
    if (!options.outputDirectory.empty() && std::ranges::find(options.files, "-") != options.files.end())
        return usageError("-d DIR takes named FILEs, not standard input");
    return options;
}

// "  -n, --name=NAME" or "      --php": the option as --help spells it.
std::string helpSpelling(const OptionInfo& option)
{
    std::string spelling = option.shortName ? std::string("  -") + option.shortName + ", " : "      ";
    spelling.append("--").append(option.longName);
    if (!option.valueName.empty())
        spelling.append("=").append(option.valueName);
    return spelling;
}

// The option as --help lists it: its spelling, then its paragraph.
std::string optionHelp(const OptionInfo& option)
{
    std::string text = padded(helpSpelling(option), kHelpColumn, 2);
    const std::string help = expanded(option.help);
    std::string_view lines = help;
    for (bool first = true; !lines.empty(); first = false) {
        const std::string_view line = lines.substr(0, lines.find('\n'));
        lines.remove_prefix(std::min(line.size() + 1, lines.size()));
        if (!first)
            text.append("\n");
        if (line == kTargetTable)
            text.append(targetTable());
        else
            text.append(first ? "" : kHelpIndent).append(wrapped(line, first ? text.size() : kHelpIndent.size()));
    }
    return text.append("\n");
}

}  // namespace

std::span<const OptionInfo> commandLineOptions()
{
    return kOptions;
}

Options parseOptions(std::span<const char* const> arguments)
{
    ParseState state;
    std::vector<const OptionInfo*> given;
    bool optionsEnded = false;
    for (std::size_t next = 0; next < arguments.size();) {
        const std::string_view argument = arguments[next++];
        if (optionsEnded || !isOption(argument)) {
            state.options.files.emplace_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const auto [option, attached] = named(argument);
        if (!option)
            return usageError("unrecognized option '" + std::string(argument) + "'");
        std::string_view value;
        if (option->value != ValueKind::None) {
            if (attached)
                value = *attached;
            else if (next < arguments.size())
                value = arguments[next++];
            if (value.empty())
                return usageError("option '" + std::string(argument) + "' needs a value");
        }
        if (!option->apply(state, value))
            return usageError(state.problem);
        if (state.options.action != Action::Convert)
            return justTheAction(state.options.action);
        given.push_back(option);
    }
    return checked(state, given);
}

std::string usageText()
{
    std::string text(kUsageStart);
    for (const OptionInfo& option : kOptions)
        text.append(optionHelp(option));
    return text.append(kUsageEnd);
}

std::string versionText()
{
    std::string text("tagora-convert (");
    text.append(credits::kProductName).append(") ").append(credits::kVersion).append("\n");
    text.append("Written by ").append(credits::kDeveloperName).append(".\n");
    return text;
}

}  // namespace tagora::cli

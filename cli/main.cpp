// tagora-convert: the script generators of Tagora Converter for batch use.
// Reads UTF-8 HTML from a file or standard input and writes the PHP or ASP
// script, or the character-code listing, to standard output.

#include "input.h"
#include "options.h"
#include "utf8.h"

#include "character_listing.h"
#include "credits.h"
#include "script_generator.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace {

using namespace tagora;

constexpr int kDone = 0;
constexpr int kEmptyInput = 1;
constexpr int kFailure = 2;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void writeTo(std::FILE* stream, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stream);
}

void complain(std::string_view message)
{
    std::string line = "tagora-convert: ";
    line.append(message).append("\n");
    writeTo(stderr, line);
}

std::string inputName(const std::string& file)
{
    return file == "-" ? std::string("standard input") : "'" + file + "'";
}

int showUsageError(const cli::Options& options)
{
    complain(options.problem);
    writeTo(stderr, cli::usageText());
    return kFailure;
}

int writeResult(std::string_view bytes)
{
    writeTo(stdout, bytes);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        complain(std::string("cannot write the output: ") + std::strerror(errno));
        return kFailure;
    }
    return kDone;
}

// The text the output box would hold afterwards: the script after Convert,
// or the listing appended to an empty output box.
std::optional<std::u16string> outputText(cli::Output output, std::u16string_view html)
{
    switch (output) {
    case cli::Output::PhpScript:
        return phpScript(html);
    case cli::Output::AspScript:
        return aspScript(html);
    case cli::Output::CharacterCodes:
        if (html.empty())
            return std::nullopt;
        return characterCodeListing(html);
    }
    return std::nullopt;
}

std::optional<std::string> readInput(const std::string& file)
{
    auto read = cli::readAllBytes(file);
    if (const auto* failure = std::get_if<cli::ReadFailure>(&read)) {
        complain("cannot read " + inputName(file) + ": " + failure->reason);
        return std::nullopt;
    }
    return std::move(std::get<std::string>(read));
}

// The input text with its line breaks as the input box holds them. A
// leading byte-order mark is not part of the text, but byte offsets in
// messages count it.
std::optional<std::u16string> decodeInput(std::string_view bytes, const std::string& file)
{
    const std::size_t markSize = bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    auto decoded = cli::decodeUtf8WithCrLf(bytes.substr(markSize));
    if (const auto* error = std::get_if<cli::Utf8Error>(&decoded)) {
        complain("invalid UTF-8 at byte offset " + std::to_string(markSize + error->offset)
                 + " of " + inputName(file));
        return std::nullopt;
    }
    return std::move(std::get<std::u16string>(decoded));
}

std::optional<std::u16string> readHtml(const std::string& file)
{
    const std::optional<std::string> bytes = readInput(file);
    if (!bytes)
        return std::nullopt;
    return decodeInput(*bytes, file);
}

int convert(const cli::Options& options)
{
    std::optional<std::u16string> html = readHtml(options.file);
    if (!html)
        return kFailure;
    const std::optional<std::u16string> text = outputText(options.output, *html);
    html.reset();  // a large input need not stay in memory while the output is encoded
    if (!text) {
        writeTo(stderr, std::string(kNoInputMessage) + "\n");
        return kEmptyInput;
    }
    return writeResult(cli::encodeUtf8(*text));
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    const cli::Options options = cli::parseOptions(arguments.empty() ? arguments : arguments.subspan(1));
    switch (options.action) {
    case cli::Action::ShowHelp:
        return writeResult(cli::usageText());
    case cli::Action::ShowVersion:
        return writeResult(std::string(credits::kProductTitle) + "\n");
    case cli::Action::UsageError:
        return showUsageError(options);
    case cli::Action::Convert:
        break;
    }
    return convert(options);
}

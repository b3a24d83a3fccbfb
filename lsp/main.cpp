// tagora-lsp: the language server of Tagora Converter, over standard input
// and output.
#include "message_reader.h"
#include "server.h"
#include "script_writer/credits.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

bool writeAll(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void complain(std::string_view message)
{
    const std::string line = "tagora-lsp: " + std::string(message) + "\n";
    [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, line.data(), line.size());
}

std::string scratchPrefix()
{
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/tagora-lsp-";
}

std::string versionText()
{
    return "tagora-lsp (" + std::string(tagora::credits::kProductName) + ") " + std::string(tagora::credits::kVersion)
           + "\nWritten by " + std::string(tagora::credits::kDeveloperName) + ".\n";
}

constexpr int kFileCheckMilliseconds = 250;
constexpr std::string_view kLimitOption = "--max-message-bytes=";

constexpr std::string_view kUsage =
    "Usage: tagora-lsp [--stdio] [--max-message-bytes=N]\n"
    "The language server of Tagora Converter: code actions that escape a selection\n"
    "into a string literal and back, edit a literal as HTML, turn echo code into a\n"
    "template and a page into a script. It speaks the Language Server Protocol on\n"
    "standard input and output; start it from your editor. A message larger than\n"
    "N bytes (default 64 MiB) is answered with an error and passed over.\n"
    "\n"
    "      --stdio        talk on standard input and output (the only way; accepted\n"
    "                       as editors pass it)\n"
    "      --max-message-bytes=N  the largest message read\n"
    "      --help         display this help and exit\n"
    "      --version      output version information and exit\n"
    "\n"
    "Settings come as initialization options or workspace settings under\n"
    "\"tagora\": escaping (\"exact\" or \"classic\"), header (true or false),\n"
    "javascriptName, and actions (any of literal, unescape, editAsHtml, template,\n"
    "script). Setting it up in each editor: docs/editors.md in the source.\n";

}  // namespace

int main(int argc, char** argv)
{
    std::size_t limit = tagora::lsp::MessageReader::kDefaultLimit;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help")
            return writeAll(kUsage) ? 0 : 2;
        if (argument == "--version")
            return writeAll(versionText()) ? 0 : 2;
        if (argument.starts_with(kLimitOption)) {
            const std::string_view value = argument.substr(kLimitOption.size());
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), limit);
            if (error != std::errc() || end != value.data() + value.size() || value.empty()) {
                complain("--max-message-bytes takes a number of bytes");
                return 2;
            }
            continue;
        }
        if (argument != "--stdio") {
            complain("unknown option '" + std::string(argument) + "' (try --help)");
            return 2;
        }
    }
    signal(SIGPIPE, SIG_IGN);
    bool writeFailed = false;
    tagora::lsp::Server server(
        [&](const std::string& message) {
            const std::string framed = "Content-Length: " + std::to_string(message.size()) + "\r\n\r\n" + message;
            writeFailed = writeFailed || !writeAll(framed);
        },
        scratchPrefix());
    tagora::lsp::MessageReader reader(limit);
    static char block[1 << 16];
    while (!writeFailed) {
        // Now and then, with nothing to read, the files of literals edited
        // as HTML are looked at.
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = poll(&input, 1, kFileCheckMilliseconds);
        server.checkFiles();
        if (ready == 0 || (ready < 0 && errno == EINTR))
            continue;
        const ssize_t size = read(STDIN_FILENO, block, sizeof block);
        if (size < 0 && errno == EINTR)
            continue;
        if (size < 0) {
            complain(std::string("cannot read standard input: ") + std::strerror(errno));
            return 2;
        }
        if (size == 0) {
            complain("standard input ended before the exit notification");
            return 1;
        }
        reader.feed({block, static_cast<std::size_t>(size)});
        while (reader.hasFrame()) {
            server.handleFrame(reader.nextFrame());
            if (server.exitStatus())
                return *server.exitStatus();
        }
    }
    complain("cannot write standard output: the editor went away");
    return 1;
}

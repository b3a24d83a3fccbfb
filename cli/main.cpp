// tagora-convert: the script generators of Tagora Converter for batch use.
// Reads HTML (UTF-8, or the encoding --encoding names or finds) from files
// or standard input and writes the PHP or ASP script, or the
// character-code listing, as UTF-8, streaming in blocks of a fixed size.

#include "conversion.h"
#include "files.h"
#include "options.h"

#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cerrno>
#include <cstring>
#include <exception>
#include <map>
#include <mutex>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using namespace tagora::cli;

constexpr int kFailure = static_cast<int>(Outcome::Failed);

int writeText(std::string_view text)
{
    OutputFile output;
    output.openStandardOutput();
    if (output.write(text.data(), text.size()))
        return 0;
    if (output.error() == EPIPE)
        endByBrokenPipe();
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

// With --to=html and -d or --dry-run, each file's report goes to
// standard output, which holds no HTML then.
bool reportsEachFile(const Options& options)
{
    return options.output == Output::Html && (options.dryRun || !options.outputDirectory.empty());
}

Outcome convertOne(Converter& converter, const std::string& file, const std::string& target,
                   const Options& options)
{
    InputFile input;
    if (!input.open(file)) {
        complain(input.name() + ": cannot read: " + std::strerror(errno));
        return Outcome::Failed;
    }
    OutputFile output;
    if (target.empty() && !options.dryRun) {
        output.openStandardOutput();
    } else if (!output.openReplacing(options.dryRun ? "/dev/null" : target)) {
        complain(output.name() + ": cannot write: " + output.problem());
        return Outcome::Failed;
    }
    if (output.isSameFileAs(input)) {
        complain(input.name() + ": not converted: " + output.name() + " is the same file");
        return Outcome::Failed;
    }
    return converter.convert(input, output);
}

// The report of a file converted, on standard output.
Outcome reportOn(const Converter& converter, Outcome outcome, const Options& options)
{
    if (outcome == Outcome::Done && reportsEachFile(options) && writeText(converter.report()) != 0)
        return Outcome::Failed;
    if (outcome == Outcome::Done && options.explain) {
        // on standard output with the report, else beside the template
        if (reportsEachFile(options) && writeText(converter.explanation()) != 0)
            return Outcome::Failed;
        const std::string& lines = converter.explanation();
        if (!reportsEachFile(options))
            [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, lines.data(), lines.size());
    }
    return outcome;
}

// The regular file a path names, links followed.
std::optional<std::pair<dev_t, ino_t>> regularFile(const std::string& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return std::pair(status.st_dev, status.st_ino);
}

// One FILE of a -d run: where it goes, or why it does not.
struct Planned {
    std::string file;
    std::string target;
    std::string refusal;  // empty when it is converted
};

// Every output is checked against every input before anything is
// written: none goes over an input, none twice to one place (an input
// that an earlier output could create has that output's name, and so is
// refused too).
std::vector<Planned> planDirectory(const Options& options)
{
    // The first input of each file, and the first FILE of each output, by
    // lookup: a site of many thousand pages is planned in a blink.
    std::map<std::pair<dev_t, ino_t>, std::size_t> firstInput;
    std::unordered_map<std::string, std::size_t> firstOutput;
    std::vector<Planned> plan;
    for (const std::string& file : options.files) {
        if (const std::optional<std::pair<dev_t, ino_t>> input = regularFile(file))
            firstInput.try_emplace(*input, plan.size());
        plan.push_back({file, outputPathFor(file, options), {}});
    }
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const auto earlier = firstOutput.try_emplace(plan[i].target, i).first->second;
        const std::optional<std::pair<dev_t, ino_t>> target = regularFile(plan[i].target);
        const auto input = target ? firstInput.find(*target) : firstInput.end();
        if (input != firstInput.end())
            plan[i].refusal = "its output " + plan[i].target + " is the input " + options.files[input->second];
        else if (earlier != i)
            plan[i].refusal = "its output " + plan[i].target + " is also that of " + plan[earlier].file;
    }
    return plan;
}

// What converting one FILE of a -d run gave: its outcome, and what it
// has to say on standard error and (its report) on standard output.
struct Converted {
    Outcome outcome = Outcome::Failed;
    std::string messages;
    std::string report;
};

Converted convertPlanned(Converter& converter, const Planned& planned, const Options& options)
{
    Converted converted;
    const MessagesKept kept(converted.messages);
    if (!planned.refusal.empty())
        complain(planned.file + ": not converted: " + planned.refusal);
    else
        converted.outcome = convertOne(converter, planned.file, planned.target, options);
    if (converted.outcome == Outcome::Done && reportsEachFile(options))
        converted.report = converter.report();
    return converted;
}

// Says what a file's conversion has to say, in the order of the FILEs.
Outcome tell(const Converted& converted)
{
    if (!converted.messages.empty()) {
        [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, converted.messages.data(), converted.messages.size());
    }
    if (!converted.report.empty() && writeText(converted.report) != 0)
        return Outcome::Failed;
    return converted.outcome;
}

// The processor cores this program may run on.
unsigned coreCount()
{
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0)
        return static_cast<unsigned>(std::max(1, CPU_COUNT(&cores)));
    return std::max(1u, std::thread::hardware_concurrency());
}

// The FILEs converted by threads of their own (each with its own
// buffers), each taking the next FILE when it is done with one; they are
// told of in their order as soon as those before them are.
class Batch {
public:
    Batch(const Options& options, std::vector<Planned> plan)
        : m_options(options), m_plan(std::move(plan)), m_done(m_plan.size())
    {
    }

    Outcome run(std::size_t threads)
    {
        std::vector<std::jthread> workers;
        {
            const SignalsLeftToMainThread signals;
            try {
                for (std::size_t slot = 1; slot <= threads; ++slot)
                    workers.emplace_back([this, slot] { work(slot); });
            } catch (const std::system_error&) {  // the threads that started are enough
            }
        }
        if (workers.empty())
            work(0);  // no thread could start: this one converts every file first
        Outcome worst = Outcome::Done;
        for (std::size_t i = 0; i < m_plan.size(); ++i)
            worst = std::max(worst, tell(waitFor(i)));
        return worst;
    }

private:
    void work(std::size_t slot)
    {
        useThreadSlot(slot);
        std::optional<Converter> converter;
        for (std::size_t i; (i = m_next++) < m_plan.size();) {
            Converted converted;
            try {
                if (!converter)
                    converter.emplace(m_options);
                converted = convertPlanned(*converter, m_plan[i], m_options);
            } catch (const std::bad_alloc&) {  // this file only: the next one has a new converter
                converter.reset();
                converted = {Outcome::Failed, "tagora-convert: " + m_plan[i].file + ": out of memory\n", {}};
            } catch (const std::exception& exception) {
                converter.reset();
                converted = {Outcome::Failed, "tagora-convert: " + m_plan[i].file + ": " + exception.what() + "\n", {}};
            }
            const std::lock_guard lock(m_mutex);
            m_done[i] = std::move(converted);
            m_ready.notify_one();
        }
    }

    Converted waitFor(std::size_t i)
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [&] { return m_done[i].has_value(); });
        Converted converted = std::move(*m_done[i]);
        m_done[i].reset();
        return converted;
    }

    const Options& m_options;
    const std::vector<Planned> m_plan;
    std::atomic<std::size_t> m_next{0};
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::vector<std::optional<Converted>> m_done;
};

// Every file into the folder; one that fails does not stop the others.
Outcome convertIntoDirectory(Converter& converter, const Options& options)
{
    std::vector<Planned> plan = planDirectory(options);
    const std::size_t chosen = options.jobs > 0 ? options.jobs : std::min<std::size_t>(coreCount(), kMostJobs);
    const std::size_t threads = std::min(chosen, plan.size());
    if (threads > 1)
        return Batch(options, std::move(plan)).run(threads);
    Outcome worst = Outcome::Done;
    for (const Planned& planned : plan)
        worst = std::max(worst, tell(convertPlanned(converter, planned, options)));
    return worst;
}

int convert(const Options& options)
{
    struct stat root {};
    if (!options.root.empty() && (stat(options.root.c_str(), &root) != 0 || !S_ISDIR(root.st_mode))) {
        complain(options.root + ": --root needs a folder that exists");
        return kFailure;
    }
    Converter converter(options);
    if (!options.outputDirectory.empty())
        return static_cast<int>(convertIntoDirectory(converter, options));
    const Outcome outcome = convertOne(converter, options.files.front(), options.outputFile, options);
    return static_cast<int>(reportOn(converter, outcome, options));
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

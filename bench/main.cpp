// tagora-bench: throughput of the PHP and ASP generators (both escapings,
// over UTF-16 as the window uses them and over UTF-8 as tagora-convert
// does) and of the character-code listing on a large generated HTML text, each measured
// against the cost of allocating a fresh string of the same output size and
// copying the output into it, in the same run.
//
//   tagora-bench [--units N] [--runs N]   benchmark (prints figures, always exits 0)
//   tagora-bench --write-utf8 FILE [--bytes N]
//                                          writes the sample as UTF-8, at least N bytes
//   tagora-bench --digest [--units N]     FNV-1a digests of every output, to check
//                                          that a change to a generator keeps its output
//   tagora-bench --targets [FILE] [--runs N]
//                                          every target's UTF-8 script of FILE (default:
//                                          the sample), streamed in 64 KiB blocks as
//                                          tagora-convert writes it, against PHP's in
//                                          interleaved pairs: the median of the per-pair
//                                          time ratios target / PHP
//
// "Fresh memory" is what a real conversion of a big text meets: the C
// library maps every large block anew and the system clears each 4 KiB page
// on first touch, which costs the generator and the copy alike. With
// GLIBC_TUNABLES=glibc.malloc.hugetlb=1 the large blocks get transparent
// huge pages instead, and the figures approach the reused-memory ones.
#include "input_text/character_listing.h"
#include "input_text/input_text.h"
#include "sample_html.h"
#include "script_writer/script_generator.h"
#include "script_writer/script_stream.h"
#include "timing.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using namespace tagora;
using namespace tagora::bench;

constexpr std::size_t kDefaultUnits = std::size_t{16} << 20;  // 32 MiB of UTF-16
constexpr std::size_t kDefaultUtf8Bytes = std::size_t{32} << 20;
constexpr int kDefaultRuns = 7;

struct Options {
    std::size_t units = kDefaultUnits;
    std::size_t bytes = kDefaultUtf8Bytes;
    int runs = kDefaultRuns;
    const char* utf8File = nullptr;
    bool digest = false;
    bool targets = false;
    const char* inputFile = nullptr;
};

// Keeps the optimiser from dropping a result that nothing else reads.
volatile std::uint64_t g_sink = 0;

template <class CharT>
void consume(const std::basic_string<CharT>& text)
{
    g_sink = g_sink + text.size() + (text.empty() ? 0 : static_cast<std::uint64_t>(text[text.size() / 2]));
}

double megabytes(std::size_t codeUnits)
{
    return static_cast<double>(codeUnits) * 2 / 1e6;
}

template <class CharT>
double megabytesOf(const std::basic_string<CharT>& text)
{
    return static_cast<double>(text.size() * sizeof(CharT)) / 1e6;
}

// A workload runs on the UTF-16 text, or on its UTF-8 form.
struct Workload {
    const char* name;
    std::function<std::u16string(std::u16string_view)> run;
    std::function<std::string(std::string_view)> runUtf8;
};

std::string utf8Listing(std::string_view in)
{
    Utf8CodeListing listing;
    std::string text(Utf8CodeListing::maxFeedSize(in.size()) + 16, '\0');
    char* const end = listing.finish(listing.feed(in, text.data()));
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}

// What tagora-convert checks first: well-formed?
std::string utf8Check(std::string_view in)
{
    Utf8Validator validator;
    return validator.feed(in) && validator.finish() ? "valid" : "invalid";
}

// The input text, in the blocks tagora-convert decodes.
std::string inputText(std::string_view in)
{
    constexpr std::size_t kBlock = std::size_t{64} << 10;
    Utf8InputDecoder decoder;
    std::string text;
    std::string out(Utf8InputDecoder::maxFeedSize(kBlock), '\0');
    for (std::size_t at = 0; at < in.size(); at += kBlock)
        text += decoder.decode(in.substr(at, kBlock), out.data()).value_or("");
    return text;
}

std::vector<Workload> workloads()
{
    const auto utf16 = [](Target language, Escaping escaping) {
        return [=](std::u16string_view in) { return *script(language, escaping, in); };
    };
    const auto utf8 = [](Target language, Escaping escaping) {
        return [=](std::string_view in) { return *script(language, escaping, in); };
    };
    using enum Target;
    using enum Escaping;
    return {
        {"PHP exact", utf16(Php, Exact), {}},
        {"PHP classic", utf16(Php, Classic), {}},
        {"ASP exact", utf16(Asp, Exact), {}},
        {"ASP classic", utf16(Asp, Classic), {}},
        {"Code listing", [](std::u16string_view in) { return characterCodeListing(in); }, {}},
        {"PHP exact 8", {}, utf8(Php, Exact)},
        {"ASP exact 8", {}, utf8(Asp, Exact)},
        {"Listing 8", {}, utf8Listing},
        {"UTF-8 check 8", {}, utf8Check},
        {"Input text 8", {}, inputText},
    };
}

// One table row: generator time, input throughput, the copy baseline for
// the same output size and the ratio baseline / generator.
template <class CharT, class Run>
void measureOn(const char* name, const Run& run, const std::basic_string<CharT>& html, int runs)
{
    const std::basic_string<CharT> reference = run(html);
    const auto [gen, copy] = timeInterleaved(
        runs, [&] { consume(run(html)); },
        [&] { consume(std::basic_string<CharT>(reference)); });
    const double inputMb = megabytesOf(html);
    std::printf("%-13s %7.1f MB %8.1f %8.1f %9.0f %9.0f %8.1f %8.1f %7.2f %7.2f\n", name,
                megabytesOf(reference), gen.medianMs, gen.bestMs, inputMb / gen.medianMs * 1e3,
                inputMb / gen.bestMs * 1e3, copy.medianMs, copy.bestMs,
                copy.medianMs / gen.medianMs, copy.bestMs / gen.bestMs);
}

void measure(const Workload& work, const std::u16string& html, const std::string& utf8, int runs)
{
    if (work.run)
        measureOn(work.name, work.run, html, runs);
    else
        measureOn(work.name, work.runUtf8, utf8, runs);
}

void printHeading(const std::u16string& html, int runs)
{
    std::printf("MB = 10^6 bytes; texts are UTF-16 (2 bytes per code unit), or UTF-8 for the\n"
                "rows ending in 8 (input MB/s then counts the UTF-8 bytes).\n");
    std::printf("Input: generated HTML, %zu code units = %.1f MB, %zu lines; %d runs each.\n",
                html.size(), megabytes(html.size()), countLineBreaks(html) + 1, runs);
    std::printf("Baseline: allocate a fresh string of the output's size and copy the output "
                "into it.\nratio = baseline time / generator time (1.00: as fast as that "
                "copy).\n");
}

void printTableHeading(const char* title)
{
    std::printf("\n%s\n", title);
    std::printf("%-13s %10s %17s %19s %17s %15s\n", "", "output", "time ms", "input MB/s",
                "baseline ms", "ratio");
    std::printf("%-13s %10s %8s %8s %9s %9s %8s %8s %7s %7s\n", "", "", "median", "best",
                "median", "best", "median", "best", "median", "best");
}

// From here on the C library keeps freed memory and hands it out again, so
// that no allocation has to wait for the system to map and clear pages.
bool keepFreedMemory()
{
#ifdef __GLIBC__
    return mallopt(M_MMAP_MAX, 0) == 1 && mallopt(M_TRIM_THRESHOLD, INT_MAX) == 1;
#else
    return false;
#endif
}

// The same figures on a quarter of the text: with linear cost the MB/s
// stay about the same.
void printScaling(const std::u16string& html, int runs)
{
    const std::u16string quarter = sampleHtml(html.size() / 4);
    std::printf("\nScaling with reused memory, input MB/s (median) at %.1f MB and %.1f MB:\n",
                megabytes(quarter.size()), megabytes(html.size()));
    for (const Workload& work : workloads()) {
        if (!work.run)
            continue;
        std::vector<double> small;
        std::vector<double> large;
        for (int r = 0; r < runs; ++r) {
            small.push_back(millisecondsOf([&] { consume(work.run(quarter)); }));
            large.push_back(millisecondsOf([&] { consume(work.run(html)); }));
        }
        std::printf("  %-13s %9.0f %9.0f\n", work.name,
                    megabytes(quarter.size()) / summarize(small).medianMs * 1e3,
                    megabytes(html.size()) / summarize(large).medianMs * 1e3);
    }
}

int runBenchmark(const Options& options)
{
    const std::u16string html = sampleHtml(options.units);
    const std::string utf8 = toUtf8(html);
    printHeading(html, options.runs);
    printTableHeading("Fresh memory: every string newly mapped by the system (the allocator's "
                      "default for big blocks)");
    for (const Workload& work : workloads())
        measure(work, html, utf8, options.runs);
    if (!keepFreedMemory())
        return 0;
    printTableHeading("Reused memory: freed blocks kept and handed out again (no page faults; "
                      "compute and memory bandwidth only)");
    for (const Workload& work : workloads())
        measure(work, html, utf8, options.runs);
    printScaling(html, options.runs);
    return 0;
}

// The script of the text as tagora-convert writes it: block by block into
// one buffer, which is then dropped; its size is what is kept.
std::size_t streamedScriptSize(Target target, std::string_view text, std::vector<char>& buffer)
{
    constexpr std::size_t kBlock = std::size_t{64} << 10;
    ScriptStream<char> stream(target, Escaping::Exact);
    buffer.resize(std::max(stream.maxFeedSize(kBlock), ScriptStream<char>::kMaxFrameSize));
    std::size_t size = static_cast<std::size_t>(stream.begin(buffer.data()) - buffer.data());
    for (std::size_t at = 0; at < text.size(); at += kBlock)
        size += static_cast<std::size_t>(stream.feed(text.substr(at, kBlock), buffer.data()) - buffer.data());
    return size + static_cast<std::size_t>(stream.finish(buffer.data()) - buffer.data());
}

std::string readFile(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file && !file.eof()) {
        std::fprintf(stderr, "tagora-bench: cannot read %s\n", path);
        std::exit(1);
    }
    return text;
}

double medianOf(std::vector<double> values)
{
    return summarize(std::move(values)).medianMs;
}

// Each target against PHP, in pairs whose order alternates.
int compareTargets(const Options& options)
{
    const std::string text = options.inputFile ? readFile(options.inputFile) : toUtf8(sampleHtml(options.units));
    std::printf("Input: %s, %.1f MB of UTF-8; %d pairs per target, each target against php.\n",
                options.inputFile ? options.inputFile : "the generated sample", double(text.size()) / 1e6,
                options.runs);
    std::printf("%-11s %10s %10s %10s %12s\n", "target", "output MB", "median ms", "php ms", "target/php");
    std::vector<char> buffer;
    std::size_t sink = 0;
    for (const TargetInfo& info : targets()) {
        std::vector<double> times, phpTimes, ratios;
        std::size_t output = 0;
        for (int r = 0; r < options.runs; ++r) {
            const auto target = [&] { output = streamedScriptSize(info.target, text, buffer); };
            const auto php = [&] { sink += streamedScriptSize(Target::Php, text, buffer); };
            const double first = millisecondsOf(r % 2 ? std::function<void()>(php) : std::function<void()>(target));
            const double second = millisecondsOf(r % 2 ? std::function<void()>(target) : std::function<void()>(php));
            times.push_back(r % 2 ? second : first);
            phpTimes.push_back(r % 2 ? first : second);
            ratios.push_back(times.back() / phpTimes.back());
        }
        std::printf("%-11s %10.1f %10.1f %10.1f %12.2f\n", std::string(info.name).c_str(), double(output) / 1e6,
                    medianOf(times), medianOf(phpTimes), medianOf(ratios));
    }
    g_sink = g_sink + sink;
    return 0;
}

int writeUtf8(const Options& options)
{
    // Every UTF-16 code unit takes at least one UTF-8 byte.
    const std::string utf8 = toUtf8(sampleHtml(options.bytes));
    std::ofstream file(options.utf8File, std::ios::binary);
    file.write(utf8.data(), static_cast<std::streamsize>(utf8.size()));
    if (!file) {
        std::fprintf(stderr, "tagora-bench: cannot write %s\n", options.utf8File);
        return 1;
    }
    std::printf("%zu\n", utf8.size());
    return 0;
}

std::uint64_t fnv1a(const std::u16string& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char16_t c : text) {
        for (const unsigned byte : {unsigned(c) & 0xFFu, unsigned(c) >> 8}) {
            hash ^= byte;
            hash *= 1099511628211ull;
        }
    }
    return hash;
}

// Windows-1252 specials, pass-through controls, a surrogate pair and a
// lone surrogate.
std::u16string nonLatin()
{
    std::u16string text = u"\u20ac\u0081\u00ff\u0100\U0001F600\uffff\u2122";
    text.push_back(char16_t(0xDC00));
    return text;
}

// Breaks and escapes at every position of an eight-character block.
void addShiftedInputs(std::vector<std::u16string>& inputs)
{
    for (std::size_t shift = 0; shift < 18; ++shift) {
        inputs.push_back(std::u16string(shift, u'a') + u"\r\n\"\t\\\r"
                         + std::u16string(shift % 5, u'b') + u"\r\n");
    }
}

std::vector<std::u16string> digestInputs(std::size_t units)
{
    std::vector<std::u16string> inputs{
        u" ",       u"abc",     u"a\"b\r\nc\td", u"x\r\n",       u"\r\n\r\n",
        u"\\\"",    u"\r",      u"\n",           u"a\rb\nc",     u"\r\r\n\n",
        u"$'%\\t",  u"\t\t\"\"", nonLatin(),
        std::u16string(40, u'x') + u"\"" + std::u16string(33, u'\t') + u"\r\n\\",
        sampleHtml(units)};
    addShiftedInputs(inputs);
    std::u16string everyCodeUnit;
    for (char32_t c = 1; c <= 0xFFFF; ++c)
        everyCodeUnit.push_back(static_cast<char16_t>(c));
    inputs.push_back(everyCodeUnit);
    return inputs;
}

int printDigests(const Options& options)
{
    const std::vector<std::u16string> inputs = digestInputs(options.units);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        std::printf("input %2zu:", i);
        for (const Workload& work : workloads()) {
            if (work.run)
                std::printf(" %016llx", static_cast<unsigned long long>(fnv1a(work.run(inputs[i]))));
        }
        std::printf("\n");
    }
    return 0;
}

std::size_t numberArgument(int& i, int argc, char** argv)
{
    if (i + 1 >= argc) {
        std::fprintf(stderr, "tagora-bench: %s needs a number\n", argv[i]);
        std::exit(2);
    }
    return std::strtoull(argv[++i], nullptr, 10);
}

constexpr const char* kUsage = "usage: tagora-bench [--units N] [--runs N] | --write-utf8 FILE [--bytes N]\n"
                               "       | --digest [--units N] | --targets [FILE] [--runs N]\n";

Options parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--units")
            options.units = numberArgument(i, argc, argv);
        else if (arg == "--bytes")
            options.bytes = numberArgument(i, argc, argv);
        else if (arg == "--runs")
            options.runs = static_cast<int>(numberArgument(i, argc, argv));
        else if (arg == "--digest")
            options.digest = true;
        else if (arg == "--targets") {
            options.targets = true;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                options.inputFile = argv[++i];
        }
        else if (arg == "--write-utf8" && i + 1 < argc)
            options.utf8File = argv[++i];
        else if (arg == "--help") {
            std::printf("%s", kUsage);
            std::exit(0);
        } else {
            std::fprintf(stderr, "%s", kUsage);
            std::exit(2);
        }
    }
    if (options.runs < 1)
        options.runs = 1;
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    const Options options = parseOptions(argc, argv);
    if (options.utf8File)
        return writeUtf8(options);
    if (options.digest)
        return printDigests(options);
    if (options.targets)
        return compareTargets(options);
    return runBenchmark(options);
}

// tagora-input-bench: what the input path's two scans cost, and the most a
// single pass joining them could save.
//
//   tagora-input-bench FILE [ROUNDS]
//
// The file is read as tagora-convert reads it: blocks of 256 KiB copied
// into one buffer (the copy stands for read()), cut into pieces of 64 KiB
// between characters and outside CR LF pairs. Each row runs one job on
// every piece, after the copy of its block, and prints the median time for
// the whole file over ROUNDS rounds (default 15), interleaved. The time is
// this thread's processor time: on a busy machine, the waits for a core
// would drown the differences.
//   copy        the block copies alone (the floor of every row)
//   touch       one read of every byte (memchr for a byte that is absent):
//               what any pass over the bytes, a joined one too, costs
//   scan FORM   the line-break scan in each form this processor runs
//   valid FORM  UTF-8 validation in each form
//   both        the scan and the validation one after the other
//   joined FORM both in one pass, in each form this processor runs ("two
//               passes": the SSE2 scan and the chosen validation)
// The last line sets the one pass that tagora-convert runs beside the two
// scans one after the other.
#include "input_text/plain_text_scan.h"
#include "timing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace tagora;

constexpr std::size_t kBlock = std::size_t{256} << 10;
constexpr std::size_t kPiece = std::size_t{64} << 10;

// The next piece of rest, as tagora-convert cuts it.
std::size_t pieceSize(const unsigned char* rest, std::size_t size)
{
    if (size <= kPiece)
        return size;
    std::size_t piece = kPiece;
    for (int back = 0; back < 3 && (rest[piece] & 0xC0) == 0x80; ++back)
        --piece;
    if (rest[piece - 1] == '\r' && rest[piece] == '\n')
        --piece;
    return piece;
}

using PieceJob = std::function<bool(const unsigned char* bytes, std::size_t size)>;

// Copies the file block by block into buffer and runs the job on each
// piece; the count of pieces for which it said true keeps the work alive.
std::size_t runOver(const std::string& file, unsigned char* buffer, const PieceJob& job)
{
    std::size_t kept = 0;
    const auto* const bytes = reinterpret_cast<const unsigned char*>(file.data());
    for (std::size_t at = 0; at < file.size();) {
        const std::size_t block = std::min(kBlock, file.size() - at);
        std::memcpy(buffer, bytes + at, block);
        std::size_t used = 0;
        while (used < block) {
            const std::size_t size = pieceSize(buffer + used, block - used);
            kept += job ? job(buffer + used, size) : 1;
            used += size;
        }
        at += block;
    }
    return kept;
}

struct Row {
    std::string name;
    PieceJob job;
    std::vector<double> ms;
};

// Milliseconds of processor time that this thread spends on the job.
template <class Job>
double processorMsOf(Job&& job)
{
    timespec start{}, stop{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    job();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &stop);
    return (stop.tv_sec - start.tv_sec) * 1e3 + (stop.tv_nsec - start.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    return bench::summarize(std::move(values)).medianMs;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || std::string(argv[1]) == "--help") {
        std::fprintf(argc < 2 ? stderr : stdout, "usage: tagora-input-bench FILE [ROUNDS]\n");
        return argc < 2 ? 2 : 0;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        std::fprintf(stderr, "tagora-input-bench: cannot read %s\n", argv[1]);
        return 2;
    }
    const int rounds = argc == 3 ? std::max(1, std::atoi(argv[2])) : 15;
    std::vector<unsigned char> buffer(kBlock);

    std::vector<Row> rows;
    rows.push_back({"copy", nullptr, {}});
    rows.push_back({"touch", [](const unsigned char* bytes, std::size_t size) {
                        return std::memchr(bytes, 0xFF, size) == nullptr;  // 0xFF is never UTF-8
                    }, {}});
    for (const plain_text::ScanForm& form : plain_text::scanForms())
        rows.push_back({"scan " + std::string(form.name), form.leavesAsItIs, {}});
    for (const plain_text::ValidatorForm& form : plain_text::validatorForms())
        rows.push_back({"valid " + std::string(form.name), form.isValidUtf8, {}});
    rows.push_back({"both", [](const unsigned char* bytes, std::size_t size) {
                        return plain_text::leavesAsItIs(bytes, size) && plain_text::isValidUtf8(bytes, size);
                    }, {}});
    for (const plain_text::PlainTextForm& form : plain_text::plainTextForms()) {
        if (form.name != "one by one")
            rows.push_back({"joined " + std::string(form.name), form.isPlainText, {}});
    }

    std::vector<std::size_t> passed(rows.size());
    for (int round = 0; round < rounds; ++round) {
        // Every other round in the reverse order, so that no row always
        // follows the same one.
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::size_t at = round % 2 ? rows.size() - 1 - i : i;
            Row& row = rows[at];
            row.ms.push_back(processorMsOf([&] { passed[at] = runOver(file, buffer.data(), row.job); }));
        }
    }

    const double copy = median(rows.front().ms);
    std::printf("%s: %.1f MB, %d rounds\n", argv[1], file.size() / 1e6, rounds);
    std::printf("%-24s %10s %12s %8s %8s\n", "job", "median ms", "minus copy", "GB/s", "pieces");
    const std::string chosen = "joined " + std::string(plain_text::plainTextForms().front().name);
    double joined = 0, both = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const double ms = median(row.ms);
        const double own = ms - copy;
        std::printf("%-24s %10.2f %12.2f %8.1f %8zu\n", row.name.c_str(), ms, own, own > 0 ? file.size() / own / 1e6 : 0.0,
                    passed[i]);
        if (row.name == chosen)
            joined = own;
        if (row.name == "both")
            both = own;
    }
    std::printf("the one pass (%s) against the two scans: %.2f ms against %.2f ms, %.2f times their time\n",
                chosen.c_str(), joined, both, both > 0 ? joined / both : 0.0);
    return 0;
}

// Runs a fuzz harness over saved inputs, for builds without libFuzzer:
//   <harness> FILE_OR_FOLDER...
// Every file named, and every file in every folder named, is passed to
// LLVMFuzzerTestOneInput once, in a block of its exact size as libFuzzer
// passes it. A failed invariant aborts the run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char* argv[])
{
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        if (!fs::is_directory(argv[i]))
            files.emplace_back(argv[i]);
        for (const auto& entry : fs::is_directory(argv[i]) ? fs::directory_iterator(argv[i]) : fs::directory_iterator())
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return std::fprintf(stderr, "cannot read %s\n", file.c_str()), 1;
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto exact = std::make_unique<std::uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), exact.get());
        LLVMFuzzerTestOneInput(exact.get(), bytes.size());
    }
    LLVMFuzzerTestOneInput(nullptr, 0);  // an empty input is always worth one run
    std::printf("replayed %zu inputs\n", files.size());
    return files.empty() ? 1 : 0;
}

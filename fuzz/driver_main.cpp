// Stand-alone driver for fuzz targets when libFuzzer is not available (GCC builds): feeds every file
// of the given corpus folders, then random mutations of them, to LLVMFuzzerTestOneInput.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::string> readCorpus(const std::vector<std::string>& dirs)
{
    std::vector<std::string> seeds;
    for (const auto& dir : dirs) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir, ec)) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    if (seeds.empty())
        seeds.emplace_back("<p>a&amp;b</p>\r\n");
    return seeds;
}

std::string mutate(std::string input, std::mt19937& rng)
{
    static const char alphabet[] = "<>&#;=\"' \r\n\t.:/!-0123456789abcdefxyzABCDEF\x80\xff%+*";
    const int steps = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < steps; ++i) {
        const size_t pos = input.empty() ? 0 : rng() % (input.size() + 1);
        switch (rng() % 4) {
        case 0:
            input.insert(pos, 1, alphabet[rng() % (sizeof alphabet - 1)]);
            break;
        case 1:
            if (pos < input.size())
                input.erase(pos, 1 + rng() % 4);
            break;
        case 2:
            if (pos < input.size())
                input[pos] = static_cast<char>(rng());
            break;
        default:
            if (!input.empty()) {
                const size_t from = rng() % input.size();
                input.insert(pos, input.substr(from, 1 + rng() % 16));
            }
        }
    }
    return input;
}

} // namespace

int main(int argc, char** argv)
{
    long runs = 3000;
    std::vector<std::string> dirs;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--runs=", 7) == 0)
            runs = std::strtol(argv[i] + 7, nullptr, 10);
        else
            dirs.emplace_back(argv[i]);
    }
    const auto seeds = readCorpus(dirs);
    for (const auto& seed : seeds)
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(seed.data()), seed.size());
    std::mt19937 rng(12345);
    for (long i = 0; i < runs; ++i) {
        std::string input = mutate(seeds[rng() % seeds.size()], rng);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::cout << "ran " << seeds.size() << " seeds and " << runs << " mutations\n";
    return 0;
}

// Times the two HTML conversions and the charset decoding on one file.
// Usage: bench_text_html FILE [REPETITIONS]
#include "base/html_to_text.h"
#include "base/text_encoding.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

void report(const char* name, size_t bytes, int repetitions, const std::function<size_t()>& run)
{
    std::vector<double> ms;
    size_t outSize = 0;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        outSize = run();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    std::printf("%-18s min %8.2f ms  median %8.2f ms  %7.1f MB/s  (%zu bytes out)\n", name, ms.front(),
                median, static_cast<double>(bytes) / 1e6 / (median / 1e3), outSize);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [REPETITIONS]\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 11;
    std::printf("%s: %zu bytes, %d repetitions\n", argv[1], html.size(), repetitions);
    report("HtmlToSpeechText", html.size(), repetitions,
           [&] { return narrix::HtmlToSpeechText(html).size(); });
    report("HtmlToPlainText", html.size(), repetitions, [&] { return narrix::HtmlToPlainText(html).size(); });
    report("decodeToUtf8", html.size(), repetitions, [&] { return narrix::decodeToUtf8(html).size(); });
    return 0;
}

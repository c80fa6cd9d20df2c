// Times the document readers on files given on the command line: the whole text of each (what the
// editor and a channel wait for before the first sentence), median of REPETITIONS runs.
// Usage: bench_documents REPETITIONS FILE...
#include "documents/document_reader.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s REPETITIONS FILE...\n", argv[0]);
        return 2;
    }
    const int repetitions = std::max(1, std::atoi(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const std::string path = argv[i];
        const std::optional<narrix::DocumentFormat> format = narrix::documentFormatOf(path);
        if (!format) {
            std::fprintf(stderr, "%s: not a PDF, EPUB, DOCX or ODT file\n", argv[i]);
            return 2;
        }
        std::vector<double> times;
        std::size_t bytes = 0;
        for (int run = 0; run < repetitions; ++run) {
            QElapsedTimer timer;
            timer.start();
            std::string error;
            const std::optional<std::string> text = narrix::readDocumentSpeechText(path, *format, {}, &error);
            times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            if (!text) {
                std::fprintf(stderr, "%s: %s\n", argv[i], error.c_str());
                return 1;
            }
            bytes = text->size();
        }
        std::sort(times.begin(), times.end());
        std::printf("%s: %.1f ms median of %d (%.1f-%.1f), %zu bytes of text\n", argv[i],
                    times[times.size() / 2], repetitions, times.front(), times.back(), bytes);
    }
    return 0;
}

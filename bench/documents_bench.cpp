// Times the document readers on files given on the command line, median of REPETITIONS runs: the
// whole text of each, and for PDF and EPUB the reading in pieces on a worker thread: from opening
// the file to the first piece in the event loop (what the editor shows and Play speaks first) and to
// the last.
// Usage: bench_documents REPETITIONS FILE...
#include "documents/document_reader.h"
#include "documents/progressive_document_reader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct PieceTimes
{
    double firstMs = 0;
    double allMs = 0;
    std::size_t pieces = 0;
};

bool timePieces(const std::string& path, narrix::DocumentFormat format, PieceTimes* times)
{
    QElapsedTimer timer;
    timer.start();
    std::string error;
    std::unique_ptr<narrix::DocumentPieces> pieces = narrix::openDocumentPieces(path, format, {}, &error);
    if (!pieces) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
        return false;
    }
    narrix::ProgressiveDocumentReader reader;
    QEventLoop loop;
    QString failure;
    *times = PieceTimes{};
    QObject::connect(&reader, &narrix::ProgressiveDocumentReader::pieceRead, &loop, [&](const QString&) {
        if (times->pieces++ == 0)
            times->firstMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    });
    QObject::connect(&reader, &narrix::ProgressiveDocumentReader::finished, &loop, [&](const QString& why) {
        times->allMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        failure = why;
        loop.quit();
    });
    reader.start(std::move(pieces));
    loop.exec();
    if (!failure.isEmpty())
        std::fprintf(stderr, "%s: %s\n", path.c_str(), failure.toUtf8().constData());
    return failure.isEmpty();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

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
        if (!narrix::readsInPieces(*format))
            continue;
        std::vector<double> first;
        std::vector<double> all;
        PieceTimes pieceTimes;
        for (int run = 0; run < repetitions; ++run) {
            if (!timePieces(path, *format, &pieceTimes))
                return 1;
            first.push_back(pieceTimes.firstMs);
            all.push_back(pieceTimes.allMs);
        }
        std::printf("%s in pieces: first text after %.1f ms, all %zu pieces after %.1f ms (medians)\n",
                    argv[i], median(first), pieceTimes.pieces, median(all));
    }
    return 0;
}

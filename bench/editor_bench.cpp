// The document editor with big files: opening a 50 MiB plain-text file and a 20 MiB rich-text file
// until the editor has painted its first page, reading RTF alone, and a search up and down over 50 MiB.
// Usage: bench_editor FOLDER [REPETITIONS]   (writes plain.txt and rich.rtf into FOLDER)
#include "base/rtf_reader.h"
#include "base/rtf_writer.h"
#include "editor/document_editor.h"
#include "editor/text_edit_document_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace narrix {
namespace {

constexpr std::size_t kMiB = 1 << 20;

class NoDialogs final : public DocumentDialogs
{
public:
    SaveChangesAnswer askSaveChanges(const QString&) override { return SaveChangesAnswer::No; }
    QString openFileName(const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&) override { return {}; }
    bool confirmReplace(const QString&) override { return false; }
    void showFileError(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    std::optional<DocumentFont> chooseFont(const DocumentFont&) override { return std::nullopt; }
};

std::string words(std::size_t bytes, std::mt19937& random)
{
    static const char* const vocabulary[] = {
        "the",    "reader", "speaks", "every",   "sentence", "of",     "a",  "document", "aloud",   "while",
        "window", "shows",  "text",   "quickly", "and",      "calmly", "to", "its",      "listener"};
    std::string text;
    text.reserve(bytes + 64);
    int inLine = 0;
    while (text.size() < bytes) {
        text += vocabulary[random() % std::size(vocabulary)];
        if (++inLine % 12 == 0)
            text += inLine % 96 == 0 ? ".\n\n" : ".\n";
        else
            text += ' ';
    }
    return text;
}

double millisecondsOf(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Opens `path` in a shown editor and paints its first page, then lets the editor fill in the rest
// while a 5 ms timer measures the longest time the event loop could not run (the worst freeze).
void benchOpen(const char* name, const QString& path, int repetitions)
{
    std::vector<double> firstPage, freeze, whole;
    for (int i = 0; i < repetitions; ++i) {
        QTextEdit edit;
        edit.resize(800, 600);
        edit.show();
        QApplication::processEvents();
        DocumentFont font{1, QStringLiteral("DejaVu Sans"), 10};
        TextEditDocumentView view(edit);
        NoDialogs dialogs;
        DocumentEditor editor(view, dialogs, font);
        QElapsedTimer clock;
        clock.start();
        firstPage.push_back(millisecondsOf([&] {
            editor.openPath(path);
            edit.viewport()->repaint();
        }));
        double longest = 0;
        QElapsedTimer gap;
        gap.start();
        QTimer tick;
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, double(gap.nsecsElapsed()) / 1e6);
            gap.restart();
            if (!view.loading().active())
                QApplication::exit();
        });
        tick.start();
        QApplication::exec();
        freeze.push_back(longest);
        whole.push_back(double(clock.elapsed()));
    }
    std::printf("%-34s first page median %7.1f ms, worst freeze after it median %6.1f ms (max %6.1f), "
                "all in %7.1f ms\n",
                name, median(firstPage), median(freeze), *std::max_element(freeze.begin(), freeze.end()),
                median(whole));
}

void benchRtfReading(const std::string& rtf, int repetitions)
{
    std::vector<double> plain, formatted;
    for (int i = 0; i < repetitions; ++i) {
        std::string text;
        plain.push_back(millisecondsOf([&] { RtfToPlainText(rtf, &text); }));
        RtfDocument document;
        formatted.push_back(millisecondsOf([&] { ReadRtf(rtf, &document); }));
    }
    const double mib = double(rtf.size()) / kMiB;
    std::printf("%-34s median %9.1f ms  %7.1f MiB/s\n", "RtfToPlainText (20 MiB RTF)", median(plain),
                mib / (median(plain) / 1e3));
    std::printf("%-34s median %9.1f ms  %7.1f MiB/s\n", "ReadRtf with formats (20 MiB RTF)",
                median(formatted), mib / (median(formatted) / 1e3));
}

void benchSearch(const QString& path, int repetitions)
{
    QTextEdit edit;
    edit.resize(800, 600);
    edit.show();
    DocumentFont font{1, QStringLiteral("DejaVu Sans"), 10};
    TextEditDocumentView view(edit);
    NoDialogs dialogs;
    DocumentEditor editor(view, dialogs, font);
    editor.openPath(path);
    // Selecting beyond what is loaded inserts the rest at once: the worst case of a search that finds
    // its word while a long file is still filling the editor.
    std::printf("%-34s %9.1f ms\n", "rest of 50 MiB inserted at once",
                millisecondsOf([&] { view.loading().finish(); }));
    // A word found only at the far end of each search: the whole text is passed over.
    const QString text = view.plainText();
    const QString needle = QStringLiteral("zebra");
    std::vector<double> down, up, downCommand, upCommand, textCopy;
    for (int i = 0; i < repetitions; ++i) {
        down.push_back(millisecondsOf([&] { findDown(text, needle, 0, {false, true}); }));
        up.push_back(millisecondsOf([&] { findUp(text, needle, text.size(), {false, true}); }));
        textCopy.push_back(millisecondsOf([&] { static_cast<void>(view.plainText().size()); }));
        view.select(0, 0);
        downCommand.push_back(millisecondsOf([&] { editor.findNext(needle, {false, true}, true); }));
        view.select(text.size(), 0);
        upCommand.push_back(millisecondsOf([&] { editor.findNext(needle, {false, true}, false); }));
    }
    std::printf("%-34s median %9.1f ms\n", "search down, 50 MiB (search)", median(down));
    std::printf("%-34s median %9.1f ms\n", "search up, 50 MiB (search)", median(up));
    std::printf("%-34s median %9.1f ms\n", "editor text copy, 50 MiB", median(textCopy));
    std::printf("%-34s median %9.1f ms\n", "Find Next down (text + search)", median(downCommand));
    std::printf("%-34s median %9.1f ms\n", "Find Next up (text + search)", median(upCommand));
}

} // namespace
} // namespace narrix

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::mt19937 random(7);

    const std::string plainPath = folder + "/plain.txt";
    std::ofstream(plainPath, std::ios::binary) << narrix::words(50 * narrix::kMiB, random);

    // 20 MiB of RTF: runs of a few words in changing styles and colours, some text beyond ASCII.
    narrix::RtfDocument rich;
    rich.fonts = {narrix::RtfFont{"DejaVu Sans"}, narrix::RtfFont{"DejaVu Serif"}};
    std::string rtf;
    for (std::size_t n = 0; rtf.size() < 20 * narrix::kMiB; ++n) {
        for (int k = 0; k < 20000; ++k, ++n) {
            narrix::RtfTextFormat format;
            format.font = static_cast<int>(n % 2);
            format.bold = n % 3 == 0;
            format.italic = n % 5 == 0;
            if (n % 7 == 0)
                format.color = 0x204080;
            rich.append(narrix::words(160, random) + (n % 11 == 0 ? "caf\xC3\xA9 " : ""), format);
        }
        rtf = narrix::WriteRtf(rich);
    }
    const std::string richPath = folder + "/rich.rtf";
    std::ofstream(richPath, std::ios::binary) << rtf;
    std::printf("plain.txt %.1f MiB, rich.rtf %.1f MiB, %d repetitions\n", 50.0,
                double(rtf.size()) / narrix::kMiB, repetitions);

    narrix::benchRtfReading(rtf, repetitions);
    narrix::benchOpen("open 50 MiB plain text, first page", QString::fromStdString(plainPath), repetitions);
    narrix::benchOpen("open 20 MiB RTF, first page", QString::fromStdString(richPath), repetitions);
    narrix::benchSearch(QString::fromStdString(plainPath), repetitions);
    return 0;
}

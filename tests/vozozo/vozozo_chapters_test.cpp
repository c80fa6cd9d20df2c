// Chapters: how HTML, rich text and plain text divide into them, the parts of N minutes, the sync
// files, and the program writing a book as numbered files with a playlist.
#include "audio_probe.h"
#include "vozozo/chapter_export.h"
#include "vozozo/document_chapters.h"
#include "vozozo/sync_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

VozozoDocument documentOf(SpeechFileKind kind, const std::string& bytes)
{
    VozozoDocument document;
    document.kind = kind;
    document.bytes = bytes;
    document.name = QStringLiteral("book");
    return document;
}

TEST(VozozoChapters, EachKindOfDocumentDividesAtItsHeadings)
{
    struct Case
    {
        const char* what;
        SpeechFileKind kind;
        std::string bytes;
        QString title;
        QString author;
        QStringList chapters;
        std::vector<const char*> spoken; // words each chapter's text holds, in order
    };
    const Case cases[] = {
        {"HTML: one h1 above h2 chapters; headings in scripts and comments do not count",
         SpeechFileKind::Html,
         "<html><head><title>Sea Stories</title><META NAME='Author' content=\"Ann Writer\">"
         "<script>var s = '<h2>Not one</h2>';</script></head><body><h1>Sea Stories</h1>"
         "<h2 class=c>The <em>Storm</em></h2><p>Wind rose.</p><!-- <h2>Hidden</h2> -->"
         "<h3>Night</h3><p>Rain fell.</p><h2>The Calm</h2><p>Water lay still.</p></body></html>",
         QStringLiteral("Sea Stories"),
         QStringLiteral("Ann Writer"),
         {QStringLiteral("The Storm"), QStringLiteral("The Calm")},
         {"Sea Stories", "Wind rose", "Rain fell", "Water lay still"}},
        {"HTML without headings: one chapter named after the file",
         SpeechFileKind::Html,
         "<p>Just a page.</p>",
         QStringLiteral("book"),
         QString(),
         {QStringLiteral("book")},
         {"Just a page"}},
        {"rich text: larger type makes headings, \\info the title and author",
         SpeechFileKind::RichText,
         "{\\rtf1\\ansi{\\info{\\title Sea \\'c9tudes}{\\author Ann Writer}}\\fs24 Foreword text here.\\par"
         "{\\fs40 The Storm\\par}Wind rose and the rain fell.\\par{\\b Night\\par}Dark.\\par"
         "{\\fs40 The Calm\\par}Water lay still for a long time.\\par}",
         QStringLiteral("Sea \u00C9tudes"),
         QStringLiteral("Ann Writer"),
         {QStringLiteral("Sea \u00C9tudes"), QStringLiteral("The Storm"), QStringLiteral("The Calm")},
         {"Foreword", "Wind rose", "Dark", "Water lay still"}},
        {"plain text: a short line between blank lines; a book title above the first chapter joins it",
         SpeechFileKind::PlainText,
         "Sea Stories\n\nChapter 1.\n\nWind rose. The rain fell,\nand fell.\n\nit was cold\n\n"
         "Then came a long sentence that ends in a comma,\n\nChapter 2\r\n\r\nWater lay still.\n",
         QStringLiteral("book"),
         QString(),
         {QStringLiteral("Chapter 1."), QStringLiteral("Chapter 2")},
         {"Sea Stories", "Wind rose", "it was cold", "comma", "Water lay still"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        const auto outline = outlineOfDocument(documentOf(c.kind, c.bytes), &error);
        ASSERT_TRUE(outline) << error.toStdString();
        EXPECT_EQ(outline->title, c.title);
        EXPECT_EQ(outline->author, c.author);
        QStringList titles;
        std::string all;
        for (const Chapter& chapter : outline->chapters) {
            titles << chapter.title;
            all += chapter.text + "\n";
        }
        EXPECT_EQ(titles, c.chapters);
        std::size_t at = 0;
        for (const char* words : c.spoken) {
            at = all.find(words, at);
            EXPECT_NE(at, std::string::npos) << words << " in " << all;
        }
    }
    QString error;
    EXPECT_FALSE(outlineOfDocument(documentOf(SpeechFileKind::RichText, "{\\rtf1 {open"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(VozozoChapters, PartsOfWordsCutBetweenSentences)
{
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "One two three four five six seven. ";
    const auto parts = partsOfWords(text, 50);
    ASSERT_EQ(parts.size(), 4U); // 210 words: three parts of 56 (eight sentences) and the rest
    std::string joined;
    for (const Chapter& part : parts) {
        EXPECT_TRUE(QByteArray::fromStdString(part.text).trimmed().endsWith(".")) << part.text;
        joined += part.text;
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(parts[2].title, QStringLiteral("Part 3"));
    EXPECT_EQ(partsOfWords("No full stop at the end", 2).size(), 1U);
}

TEST(VozozoChapters, SyncFilesAndPlaylists)
{
    const std::vector<SyncLine> lines = {{0, "Hello there."}, {33075, "A <b> & c."}, {2700000, "Late."}};
    EXPECT_EQ(syncFileText(SyncFormat::Lrc, lines, 2720000, 22050, QStringLiteral("Sea")),
              "[ti:Sea]\n[00:00.00]Hello there.\n[00:01.50]A <b> & c.\n[02:02.44]Late.\n");
    EXPECT_EQ(syncFileText(SyncFormat::WebVtt, lines, 2720000, 22050, QStringLiteral("Sea")),
              "WEBVTT\n\n1\n00:00:00.000 --> 00:00:01.500\nHello there.\n\n2\n00:00:01.500 --> 00:02:02.448\n"
              "A &lt;b&gt; &amp; c.\n\n3\n00:02:02.448 --> 00:02:03.356\nLate.\n");
    EXPECT_EQ(oneLine("  two\n\tlines  "), "two lines");
    EXPECT_EQ(chapterFileName(3, 9, QStringLiteral("A/B: \"C\""), QStringLiteral("mp3")),
              QStringLiteral("03 A_B_ _C_.mp3"));
    EXPECT_EQ(chapterFileName(7, 120, QStringLiteral("..."), QStringLiteral("ogg")),
              QStringLiteral("007.ogg"));
    EXPECT_EQ(m3uPlaylist({{QStringLiteral("01 A.mp3"), QStringLiteral("A"), 61.6}}),
              "#EXTM3U\n#EXTINF:62,A\n01 A.mp3\n");
}

class VozozoBook : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString program = qEnvironmentVariable("NARRIX_BINARY_DIR") + QStringLiteral("/src/vozozo/vozozo");

    int run(const QStringList& arguments, QByteArray* err)
    {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(120000));
        *err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QByteArray read(const QString& name)
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(VozozoBook, ChaptersBecomeNumberedFilesWithAPlaylistAndSyncFiles)
{
    QFile page(dir.filePath(QStringLiteral("sea.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Sea Stories</title><meta name=author content='Ann Writer'></head><body>"
               "<h1>Sea Stories</h1><h2>The Storm</h2><p>The wind rose. The rain fell on the deck.</p>"
               "<h2>The Calm</h2><p>Water lay still. Nobody spoke. The sun came out.</p></body></html>");
    page.close();
    QByteArray err;
    ASSERT_EQ(run({page.fileName(), QStringLiteral("-o"), dir.filePath(QStringLiteral("sea.mp3")),
                   QStringLiteral("--split"), QStringLiteral("chapters"), QStringLiteral("--sync"),
                   QStringLiteral("lrc"), QStringLiteral("--voice"),
                   QStringLiteral("English (America) (espeak-ng)")},
                  &err),
              0)
        << err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{QStringLiteral("01 The Storm.lrc"), QStringLiteral("01 The Storm.mp3"),
                           QStringLiteral("02 The Calm.lrc"), QStringLiteral("02 The Calm.mp3"),
                           QStringLiteral("sea.html"), QStringLiteral("sea.m3u")}));
    double seconds[2] = {};
    for (int i = 0; i < 2; ++i) {
        const QString name = i == 0 ? QStringLiteral("01 The Storm") : QStringLiteral("02 The Calm");
        const auto probe = testing::probeAudio(dir.filePath(name + QStringLiteral(".mp3")));
        ASSERT_TRUE(probe.read);
        EXPECT_EQ(probe.codec, QStringLiteral("mp3"));
        EXPECT_EQ(probe.tags.value(QStringLiteral("title")).toString(), name.mid(3));
        EXPECT_EQ(probe.tags.value(QStringLiteral("album")).toString(), QStringLiteral("Sea Stories"));
        EXPECT_EQ(probe.tags.value(QStringLiteral("artist")).toString(), QStringLiteral("Ann Writer"));
        seconds[i] = probe.seconds;
        EXPECT_GT(seconds[i], 1.5);

        // One line per sentence, in order, every time within the file.
        const QList<QByteArray> lines = read(name + QStringLiteral(".lrc")).split('\n');
        ASSERT_GE(lines.size(), 4);
        EXPECT_EQ(lines[0], "[ti:" + name.mid(3).toUtf8() + "]");
        EXPECT_TRUE(lines[1].startsWith("[00:00.00]")) << lines[1].toStdString();
        double last = -1;
        for (const QByteArray& line : lines.mid(1)) {
            if (line.isEmpty())
                continue;
            const double at = line.mid(1, 2).toDouble() * 60 + line.mid(4, 5).toDouble();
            EXPECT_GT(at, last) << line.toStdString();
            last = at;
        }
        EXPECT_LT(last, seconds[i]);
    }
    EXPECT_TRUE(read(QStringLiteral("01 The Storm.lrc")).contains("]The wind rose.\n"));
    EXPECT_TRUE(read(QStringLiteral("02 The Calm.lrc")).contains("]Nobody spoke.\n"));
    EXPECT_EQ(read(QStringLiteral("sea.m3u")),
              QStringLiteral(
                  "#EXTM3U\n#EXTINF:%1,The Storm\n01 The Storm.mp3\n#EXTINF:%2,The Calm\n02 The Calm.mp3\n")
                  .arg(std::lround(seconds[0]))
                  .arg(std::lround(seconds[1]))
                  .toUtf8());
}

TEST_F(VozozoBook, MinutesCutALongTextIntoParts)
{
    QFile text(dir.filePath(QStringLiteral("long.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    for (int i = 0; i < 60; ++i)
        text.write("The tide came in over the sand and went out again. ");
    text.close();
    QByteArray err;
    const QString out = dir.filePath(QStringLiteral("parts/long.ogg"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("parts")));
    // 660 words at 200 words a minute in parts of one minute: four parts.
    ASSERT_EQ(run({text.fileName(), QStringLiteral("-o"), out, QStringLiteral("--split"),
                   QStringLiteral("minutes"), QStringLiteral("1"), QStringLiteral("--speed"),
                   QStringLiteral("200"), QStringLiteral("--sync"), QStringLiteral("vtt"),
                   QStringLiteral("--voice"), QStringLiteral("English (America) (espeak-ng)")},
                  &err),
              0)
        << err.toStdString();
    const QStringList files = QDir(dir.filePath(QStringLiteral("parts"))).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, (QStringList{QStringLiteral("01 Part 1.ogg"), QStringLiteral("01 Part 1.vtt"),
                                  QStringLiteral("02 Part 2.ogg"), QStringLiteral("02 Part 2.vtt"),
                                  QStringLiteral("03 Part 3.ogg"), QStringLiteral("03 Part 3.vtt"),
                                  QStringLiteral("04 Part 4.ogg"), QStringLiteral("04 Part 4.vtt"),
                                  QStringLiteral("long.m3u")}));
    for (int part = 1; part <= 3; ++part) {
        const auto probe =
            testing::probeAudio(dir.filePath(QStringLiteral("parts/0%1 Part %1.ogg").arg(part)));
        EXPECT_GT(probe.seconds, 40.0);
        EXPECT_LT(probe.seconds, 80.0);
    }
    EXPECT_TRUE(read(QStringLiteral("parts/01 Part 1.vtt")).startsWith("WEBVTT\n\n1\n00:00:00.000 --> "));
}

} // namespace
} // namespace narrix

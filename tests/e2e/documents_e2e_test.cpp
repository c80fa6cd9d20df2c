// The real programs on documents that pandoc and groff make: `narrix FILE` speaks each format as a
// scheduled speech and ends by itself; `narrix --open FILE` shows it in the editor and Play (F5,
// typed on an X server) speaks it; `vozozo FILE.epub -o OUT.wav` exports the book.
#include "documents/produced_documents.h"
#include "support/narrix_process.h"
#include "support/xvfb_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// The texts narrix handed to its engine, from its speech history; `sources` gets the source number and
// the title of each.
QStringList spokenTexts(const QString& log, QStringList* sources = nullptr)
{
    QStringList texts;
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly))
        return texts;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QJsonObject event = QJsonDocument::fromJson(line).object();
        if (event.value(QStringLiteral("event")).toString() != QLatin1String("speak"))
            continue;
        texts << event.value(QStringLiteral("text")).toString();
        if (sources != nullptr)
            *sources << QString::number(event.value(QStringLiteral("source")).toInt()) + QLatin1Char(' ') +
                            event.value(QStringLiteral("title")).toString();
    }
    return texts;
}

class DocumentsE2E : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(root_.filePath(QStringLiteral("data")));
        QDir().mkpath(root_.filePath(QStringLiteral("run")));
        QFile::setPermissions(root_.filePath(QStringLiteral("run")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("XDG_CONFIG_HOME"), root_.filePath(QStringLiteral("config")));
        env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), root_.filePath(QStringLiteral("run")));
        env_.insert(QStringLiteral("NARRIX_DATA_DIR"), root_.filePath(QStringLiteral("data")));
        env_.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
        env_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    // Runs `program` with `arguments` until it ends by itself; its exit code, -1 if it had to be killed.
    int run(const QString& program, const QStringList& arguments, QString* errors)
    {
        QProcess process;
        process.setProcessEnvironment(env_);
        process.start(program, arguments);
        if (!process.waitForStarted(10000))
            return -1;
        const bool ended = process.waitForFinished(120000);
        *errors = QString::fromLocal8Bit(process.readAllStandardError());
        if (!ended) {
            process.kill();
            process.waitForFinished(5000);
            return -1;
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // Each format made from text we write: pandoc's DOCX, ODT and EPUB, groff's PDF with a running
    // header; `expected` is a sentence of it as it is spoken.
    struct Produced
    {
        const char* file;
        const char* pandocFormat; // nullptr: groff
        QString expected;
    };
    static std::vector<Produced> producedCases()
    {
        const QString pandocSentence = QStringLiteral("The quick brown fox jumps over the lazy dog.");
        return {{"book.docx", "docx", pandocSentence},
                {"book.odt", "odt", pandocSentence},
                {"book.epub", "epub3", pandocSentence},
                {"book.pdf", nullptr, QStringLiteral("The quick brown fox jumps over the lazy dog again")}};
    }
    QString produce(const Produced& c)
    {
        QByteArray groff = ".ds LH Running Header\n";
        for (int page = 0; page < 40; ++page)
            groff +=
                ".PP\nThe quick brown fox jumps over the lazy dog again and again, page after page of it.\n";
        const QString path = root_.filePath(QString::fromLatin1(c.file));
        const QString problem = c.pandocFormat
                                    ? narrix::test::pandoc(narrix::test::kSampleMarkdown,
                                                           QString::fromLatin1(c.pandocFormat), path)
                                    : narrix::test::groffPdf(groff, path);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        return path;
    }

    QTemporaryDir root_;
    QProcessEnvironment env_;
};

TEST_F(DocumentsE2E, NarrixSpeaksEachFormatAndEnds)
{
    ASSERT_FALSE(qEnvironmentVariable("NARRIX_EXE").isEmpty());
    for (const Produced& c : producedCases()) {
        SCOPED_TRACE(c.file);
        const QString path = produce(c);
        const QString log = root_.filePath(QString::fromLatin1(c.file) + QStringLiteral(".jsonl"));
        env_.insert(QStringLiteral("NARRIX_SPEECH_LOG"), log);
        QString errors;
        ASSERT_EQ(run(qEnvironmentVariable("NARRIX_EXE"), {path}, &errors), 0) << errors.toStdString();
        const QStringList spoken = spokenTexts(log);
        ASSERT_TRUE(std::any_of(spoken.begin(), spoken.end(),
                                [&](const QString& text) { return text.simplified().contains(c.expected); }))
            << spoken.join(QStringLiteral("\n|")).toStdString() << errors.toStdString();
        for (const QString& text : spoken)
            EXPECT_FALSE(text.contains(QLatin1String("Running Header")));
    }
}

TEST_F(DocumentsE2E, OpenShowsEachFormatAndPlaySpeaksIt)
{
    ASSERT_FALSE(qEnvironmentVariable("NARRIX_EXE").isEmpty());
    narrix::testing::XvfbServer server;
    QString problem;
    ASSERT_TRUE(server.start(&problem)) << problem.toStdString();
    // Not a first run, no tips, no time announcements or greeting: the window has the keyboard.
    {
        QSettings stored(root_.filePath(QStringLiteral("config/Quillmark/Narrix.conf")),
                         QSettings::IniFormat);
        stored.setValue(QStringLiteral("FontCharset"), QStringLiteral("0"));
        stored.setValue(QStringLiteral("ShowTips"), QStringLiteral("False"));
        stored.setValue(QStringLiteral("TellTime"), QStringLiteral("Never"));
        stored.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
    }
    QProcessEnvironment env = server.environment(env_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("NARRIX_STARTUP_PROBE"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("narrix.debug=true"));
    for (const Produced& c : producedCases()) {
        SCOPED_TRACE(c.file);
        const QString path = produce(c);
        const QString log = root_.filePath(QString::fromLatin1(c.file) + QStringLiteral(".play.jsonl"));
        env.insert(QStringLiteral("NARRIX_SPEECH_LOG"), log);
        narrix::testing::NarrixProcess narrix(env);
        narrix.setArguments({QStringLiteral("--open"), path});
        ASSERT_TRUE(narrix.startAndWaitUntilShown()) << narrix.errors().toStdString();
        ASSERT_TRUE(narrix.waitForError("opened " + path.toUtf8() + " in the editor"))
            << narrix.errors().toStdString();
        EXPECT_TRUE(spokenTexts(log).isEmpty()) << "--open only shows the document";

        QByteArray found;
        ASSERT_TRUE(server.run(QStringLiteral("xdotool"),
                               {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                QStringLiteral("--pid"), QString::number(narrix.pid())},
                               &found));
        ASSERT_TRUE(server.focus(QString::fromLatin1(found.trimmed().split('\n').first())));
        ASSERT_TRUE(server.run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F5")}));
        QStringList spoken;
        QStringList sources;
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && spoken.isEmpty()) {
            QThread::msleep(50);
            sources.clear();
            spoken = spokenTexts(log, &sources);
        }
        ASSERT_FALSE(spoken.isEmpty()) << narrix.errors().toStdString();
        // One reading: a document still loading when Play is pressed (a slow machine) is handed to the
        // engine as the text so far and then piece by piece as it arrives, each piece logged.
        EXPECT_EQ(sources.count(sources.front()), sources.size())
            << sources.join(QStringLiteral(", ")).toStdString();
        EXPECT_TRUE(spoken.front().simplified().contains(c.expected)) << spoken.front().toStdString();
        for (const QString& text : spoken)
            EXPECT_FALSE(text.contains(QLatin1String("Running Header")));
        EXPECT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
    }
}

TEST_F(DocumentsE2E, VozozoExportsABook)
{
    const QString book = root_.filePath(QStringLiteral("book.epub"));
    ASSERT_TRUE(narrix::test::pandoc(narrix::test::kSampleMarkdown, QStringLiteral("epub3"), book).isEmpty());
    const QString wav = root_.filePath(QStringLiteral("out.wav"));
    QString errors;
    const QString vozozo = qEnvironmentVariable("NARRIX_BINARY_DIR") + QStringLiteral("/src/vozozo/vozozo");
    ASSERT_EQ(run(vozozo, {book, QStringLiteral("-o"), wav}, &errors), 0) << errors.toStdString();
    QFile out(wav);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.read(4), QByteArray("RIFF"));
    // Several seconds of speech, not an empty file: the book's sentences were spoken.
    EXPECT_GT(out.size(), 22050 * 2 * 3);
}

} // namespace

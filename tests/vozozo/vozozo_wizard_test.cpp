// vozozo's window: Convert writes the WAV file with progress; Cancel stops a conversion that runs.
#include "vozozo/vozozo_wizard.h"

#include "fakes/fake_prompter.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace narrix {
namespace {

QString writeText(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return file.fileName();
}

bool waitUntilIdle(const VozozoWizard& wizard)
{
    for (int i = 0; i < 3000 && wizard.converting(); ++i)
        QTest::qWait(10);
    return !wizard.converting();
}

TEST(VozozoWizard, ConvertsTheChosenFile)
{
    QTemporaryDir dir;
    testing::FakePrompter prompter;
    VozozoWizard wizard(prompter);
    auto* convert = wizard.findChild<QPushButton*>(QStringLiteral("convert"));
    ASSERT_NE(convert, nullptr);
    EXPECT_FALSE(convert->isEnabled()); // nothing chosen yet
    const QString input =
        writeText(dir, QStringLiteral("letter.txt"), "Dear reader. This is a short letter.");
    wizard.setInput(input);
    EXPECT_EQ(wizard.findChild<QLineEdit*>(QStringLiteral("output"))->text(),
              dir.filePath(QStringLiteral("letter.wav")));
    auto* voice = wizard.findChild<QComboBox*>(QStringLiteral("voice"));
    voice->setCurrentText(QStringLiteral("English (America) (espeak-ng)"));
    ASSERT_TRUE(convert->isEnabled());
    convert->click();
    ASSERT_TRUE(waitUntilIdle(wizard));
    EXPECT_TRUE(wizard.message().startsWith(QStringLiteral("Wrote "))) << wizard.message().toStdString();
    EXPECT_EQ(wizard.findChild<QProgressBar*>()->value(), 100);
    EXPECT_GT(QFile(dir.filePath(QStringLiteral("letter.wav"))).size(), 44 + 22050);

    // A missing file is reported in the window.
    wizard.setInput(dir.filePath(QStringLiteral("gone.txt")));
    convert->click();
    EXPECT_FALSE(wizard.converting());
    EXPECT_TRUE(wizard.message().contains(QStringLiteral("no such file")));
}

TEST(VozozoWizard, CancelStopsTheConversionAndRemovesTheFile)
{
    QTemporaryDir dir;
    QByteArray longText;
    for (int i = 0; i < 3000; ++i)
        longText += "This is sentence number " + QByteArray::number(i) + " of a long text. ";
    testing::FakePrompter prompter;
    VozozoWizard wizard(prompter);
    wizard.setInput(writeText(dir, QStringLiteral("long.txt"), longText));
    wizard.findChild<QComboBox*>(QStringLiteral("voice"))
        ->setCurrentText(QStringLiteral("SLT, American English female (flite)"));
    wizard.findChild<QPushButton*>(QStringLiteral("convert"))->click();
    ASSERT_TRUE(wizard.converting());
    QTest::qWait(100);
    wizard.findChild<QPushButton*>(QStringLiteral("cancel"))->click();
    ASSERT_TRUE(waitUntilIdle(wizard));
    EXPECT_EQ(wizard.message(), QStringLiteral("Cancelled."));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("long.wav"))));
}

// By keyboard alone: the format box renames the output and Convert writes that format.
TEST(VozozoWizard, KeyboardChoosesTheFormatAndConverts)
{
    QTemporaryDir dir;
    testing::FakePrompter prompter;
    VozozoWizard wizard(prompter);
    wizard.setInput(writeText(dir, QStringLiteral("note.html"),
                              "<title>A Note</title><p>Dear reader. This is a short note.</p>"));
    wizard.show();
    QApplication::setActiveWindow(&wizard);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wizard));
    auto* output = wizard.findChild<QLineEdit*>(QStringLiteral("output"));
    auto* quality = wizard.findChild<QSpinBox*>(QStringLiteral("quality"));
    EXPECT_EQ(output->text(), dir.filePath(QStringLiteral("note.wav")));
    EXPECT_FALSE(quality->isEnabled()); // WAV has no quality to choose

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier); // "&Format:"
    auto* format = wizard.findChild<QComboBox*>(QStringLiteral("format"));
    ASSERT_EQ(QApplication::focusWidget(), format);
    QTest::keyClicks(format, QStringLiteral("O")); // "Ogg Vorbis", the first format starting with O
    EXPECT_EQ(format->currentText(), QStringLiteral("Ogg Vorbis"));
    EXPECT_EQ(output->text(), dir.filePath(QStringLiteral("note.ogg")));
    EXPECT_TRUE(quality->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::AltModifier); // "&Quality:"
    ASSERT_EQ(QApplication::focusWidget(), quality);
    QTest::keyClick(quality, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(quality, QStringLiteral("10")); // the best sound
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(quality->value(), 10);

    // Tab on to Convert and press it.
    auto* convert = wizard.findChild<QPushButton*>(QStringLiteral("convert"));
    for (int i = 0; i < 10 && QApplication::focusWidget() != convert; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), convert);
    QTest::keyClick(convert, Qt::Key_Space);
    ASSERT_TRUE(wizard.converting()) << wizard.message().toStdString();
    ASSERT_TRUE(waitUntilIdle(wizard));
    EXPECT_TRUE(wizard.message().startsWith(QStringLiteral("Wrote "))) << wizard.message().toStdString();
    QFile written(dir.filePath(QStringLiteral("note.ogg")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("OggS"));
    EXPECT_TRUE(bytes.contains("TITLE=A Note")); // the Vorbis comment the document's title gave

    // A name typed with another extension chooses its format.
    wizard.setOutput(dir.filePath(QStringLiteral("other.flac")));
    EXPECT_EQ(format->currentText(), QStringLiteral("FLAC"));
}

TEST(VozozoWizard, BrowseAsksThroughThePrompter)
{
    testing::FakePrompter prompter;
    VozozoWizard wizard(prompter);
    prompter.fileNames = {QStringLiteral("/tmp/story.txt"), QString(), QStringLiteral("/tmp/out.wav")};
    wizard.findChild<QPushButton*>(QStringLiteral("browseInput"))->click();
    auto* output = wizard.findChild<QLineEdit*>(QStringLiteral("output"));
    EXPECT_EQ(wizard.findChild<QLineEdit*>(QStringLiteral("input"))->text(),
              QStringLiteral("/tmp/story.txt"));
    EXPECT_EQ(output->text(), QStringLiteral("/tmp/story.wav"));
    wizard.findChild<QPushButton*>(QStringLiteral("browseOutput"))->click(); // cancelled: unchanged
    EXPECT_EQ(output->text(), QStringLiteral("/tmp/story.wav"));
    wizard.findChild<QPushButton*>(QStringLiteral("browseOutput"))->click();
    EXPECT_EQ(output->text(), QStringLiteral("/tmp/out.wav"));
    EXPECT_TRUE(prompter.fileNames.empty());
}

} // namespace
} // namespace narrix

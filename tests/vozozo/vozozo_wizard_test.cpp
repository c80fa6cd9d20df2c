// vozozo's window: Convert writes the WAV file with progress; Cancel stops a conversion that runs.
#include "vozozo/vozozo_wizard.h"

#include "fakes/fake_prompter.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
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

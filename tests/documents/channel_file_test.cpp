// Local channel files by extension: documents through their readers, everything else as before.
#include "documents/produced_documents.h"
#include "schedule/channel_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(ChannelFile, DocumentsAreReadByExtension)
{
    QTemporaryDir folder;
    const QString docx = folder.filePath(QStringLiteral("news.DOCX"));
    ASSERT_TRUE(test::pandoc(test::kSampleMarkdown, QStringLiteral("docx"), docx).isEmpty());
    const QString notes = folder.filePath(QStringLiteral("notes.txt"));
    {
        QFile file(notes);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Plain notes.\n");
    }
    // A zip named .txt is plain text; a text named .odt is no document.
    const QString disguised = folder.filePath(QStringLiteral("fake.odt"));
    ASSERT_TRUE(QFile::copy(notes, disguised));
    const struct
    {
        QString path;
        const char* text;  // nullptr: refused
        const char* error; // part of the reason
    } cases[] = {
        {docx, "The quick brown fox jumps over the lazy dog.", ""},
        {notes, "Plain notes.", ""},
        {disguised, nullptr, "fake.odt: not a complete zip archive"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        std::string error;
        const std::optional<std::string> text = readChannelFile(c.path.toStdString(), &error);
        if (c.text == nullptr) {
            EXPECT_FALSE(text);
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        } else {
            ASSERT_TRUE(text) << error;
            EXPECT_NE(text->find(c.text), std::string::npos) << *text;
        }
    }
}

} // namespace
} // namespace narrix

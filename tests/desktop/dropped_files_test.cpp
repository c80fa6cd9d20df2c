#include "desktop/dropped_files.h"

#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace narrix {
namespace {

struct DropRecord
{
    int beeps = 0;
    int prompts = 0;
    QStringList opened;
};

TEST(DroppedFiles, OneFileOpensAfterThePromptSeveralBeep)
{
    struct Case
    {
        QStringList paths;
        bool accepting;
        bool saveAnswer;
        int beeps;
        int prompts;
        QStringList opened;
    };
    const QString a = QStringLiteral("/tmp/a.rtf");
    const QString b = QStringLiteral("/tmp/b.txt");
    const Case cases[] = {
        {{a}, true, true, 0, 1, {a}},
        {{a}, true, false, 0, 1, {}}, // Cancel in the save-changes prompt
        {{a, b}, true, true, 1, 0, {}},
        {{a}, false, true, 0, 0, {}}, // before the start-up ends or after the shutdown began
        {{}, true, true, 0, 0, {}},
    };
    for (const Case& c : cases) {
        QWidget window;
        DropRecord record;
        DroppedFiles drops(window,
                           {[&] {
                                ++record.prompts;
                                return c.saveAnswer;
                            },
                            [&](const QString& path) { record.opened << path; }, [&] { ++record.beeps; }});
        drops.setAccepting(c.accepting);
        EXPECT_EQ(window.acceptDrops(), c.accepting);
        drops.filesDropped(c.paths);
        EXPECT_EQ(record.beeps, c.beeps) << c.paths.join(u',').toStdString();
        EXPECT_EQ(record.prompts, c.prompts) << c.paths.join(u',').toStdString();
        EXPECT_EQ(record.opened, c.opened) << c.paths.join(u',').toStdString();
    }
}

TEST(DroppedFiles, ADropOnTheEditorOpensTheFileInsteadOfInsertingItsName)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* editor = new QTextEdit(&window);
    layout->addWidget(editor);
    DropRecord record;
    DroppedFiles drops(window, {[] { return true; }, [&](const QString& path) { record.opened << path; },
                                [&] { ++record.beeps; }});
    drops.setAccepting(true);
    window.show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/x.txt"))});
    // The drag enters the editor first, as a real one does; then it drops there.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editor->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(editor->viewport(), &drop);
    EXPECT_EQ(record.opened, QStringList{QStringLiteral("/tmp/x.txt")});
    EXPECT_TRUE(editor->toPlainText().isEmpty());
}

} // namespace
} // namespace narrix

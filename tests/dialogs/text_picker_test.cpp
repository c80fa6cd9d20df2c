// The Text Picker against the loopback web server: the page's text to pick keywords from, the busy
// rule, and Esc cancelling a fetch without closing the dialog.
#include "dialogs/text_picker_dialog.h"
#include "net/http_client.h"
#include "net/net_test_support.h"
#include "schedule/picker_page_reader.h"
#include "support/modal_driver.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

namespace narrix {
namespace {

using testing::press;
using testing::type;
using testing::whenModal;

class TextPickerTest : public ::testing::Test
{
protected:
    net::HttpClient client;
    TransferFlags transfers;
    PickerPageReader reader{client, transfers};

    // A cancel left from an earlier transfer: a fetch that starts no longer counts it.
    void SetUp() override { transfers.requestCancel(); }

    TextPickerValues run(const std::string& address, const TextPickerValues& values,
                         std::function<void(QDialog&)> steps, int* result = nullptr)
    {
        TfrmPicker picker(values, PickerPageSource{&reader, address, "", ""});
        whenModal(std::move(steps));
        const int code = picker.exec();
        if (result != nullptr)
            *result = code;
        return code == QDialog::Accepted ? picker.values() : values;
    }
    static QString status(QDialog& d) { return d.findChild<QLabel*>(QStringLiteral("lblStatus"))->text(); }
    static QPlainTextEdit* page(QDialog& d) { return d.findChild<QPlainTextEdit*>(QStringLiteral("mmPage")); }
    static void click(QDialog& d, const char* name)
    {
        auto* button = d.findChild<QPushButton*>(QLatin1String(name));
        button->setFocus();
        press(d, Qt::Key_Space);
    }
};

TEST_F(TextPickerTest, PicksKeywordsFromTheConvertedPage)
{
    const TextPickerValues picked = run(net::testing::http("/latin1-page"), {}, [this](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Text Picker"));
        press(d, Qt::Key_G, Qt::AltModifier); // Get Page Text
        EXPECT_TRUE(QTest::qWaitFor([&] { return !page(d)->toPlainText().isEmpty(); }));
        EXPECT_FALSE(transfers.busy());
        EXPECT_FALSE(transfers.cancelRequested());
        EXPECT_TRUE(page(d)->toPlainText().contains(QStringLiteral("Caf\u00e9 cr\u00e8me")))
            << page(d)->toPlainText().toStdString();
        // Select the first two words with the keyboard and take them as the leading keyword.
        page(d)->setFocus();
        press(d, Qt::Key_Home, Qt::ControlModifier);
        press(d, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        press(d, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        const QString selected = page(d)->textCursor().selectedText().trimmed();
        press(d, Qt::Key_D, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !d.findChild<QLineEdit*>(QStringLiteral("edLead"))->text().isEmpty(); }));
        EXPECT_EQ(d.findChild<QLineEdit*>(QStringLiteral("edLead"))->text().trimmed(), selected);
        click(d, "Button1");
    });
    EXPECT_EQ(QString::fromStdString(picked.leadKey).trimmed(), QStringLiteral("Caf\u00e9 cr\u00e8me"));
}

TEST_F(TextPickerTest, EscCancelsTheFetchAndTheBusyRuleRefuses)
{
    int result = -1;
    const TextPickerValues before{"Top", "End", true, false};
    const TextPickerValues after = run(
        net::testing::http("/slow"), before,
        [this](QDialog& d) {
            // Esc while the page is being fetched: the fetch ends, the dialog stays.
            QTimer::singleShot(200, &d, [&d] { press(d, Qt::Key_Escape); });
            press(d, Qt::Key_G, Qt::AltModifier);
            EXPECT_TRUE(QTest::qWaitFor([&] { return status(d) == QStringLiteral(" Disconnected."); }, 10000))
                << status(d).toStdString();
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(transfers.cancelRequested());
            EXPECT_FALSE(transfers.busy());
            // Another transfer runs: no second one starts.
            transfers.begin();
            press(d, Qt::Key_G, Qt::AltModifier);
            EXPECT_TRUE(QTest::qWaitFor([&] {
                return status(d) == QStringLiteral(" Please press Esc before you start a new connection.");
            }));
            transfers.end();
            press(d, Qt::Key_Escape);
        },
        &result);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(after, before);
}

TEST_F(TextPickerTest, ReadsALocalFileWholeAsAChannelWould)
{
    QTemporaryDir dir;
    const struct
    {
        const char* name;
        const char* content;
        const char* expected;
    } files[] = {
        {"page.HTM", "<p>Top stories</p><p>Rain today</p>", "Top stories. Rain today"},
        {"notes.rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Caf\\'e9 \\b opens\\b0  at nine.\\par}",
         "Caf\u00e9 opens at nine."},
    };
    for (const auto& file : files) {
        const std::string path = dir.filePath(QString::fromLatin1(file.name)).toStdString();
        std::ofstream(path) << file.content;
        run(path, {}, [&](QDialog& d) {
            press(d, Qt::Key_G, Qt::AltModifier);
            EXPECT_TRUE(QTest::qWaitFor([&] { return !page(d)->toPlainText().isEmpty(); }));
            EXPECT_TRUE(page(d)->toPlainText().contains(QString::fromUtf8(file.expected)))
                << page(d)->toPlainText().toStdString();
            press(d, Qt::Key_Escape);
        });
    }
    EXPECT_FALSE(transfers.busy());
}

} // namespace
} // namespace narrix

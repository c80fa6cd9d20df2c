// The link labels, the tip of the day and the about box.
#include "dialogs/about_box.h"
#include "dialogs/link_labels.h"
#include "dialogs/tip_of_the_day.h"

#include "fakes/fake_desktop_opener.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeDesktopOpener;

void enter(QWidget& widget)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&widget, &event);
}
void leave(QWidget& widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(&widget, &event);
}

TEST(LinkLabels, HoveringTwiceRestoresTheHintColourAndTheFontEachTime)
{
    FakeDesktopOpener desktop;
    TQMHotLink link(desktop);
    link.setText(QStringLiteral("link"));
    link.setHintColor(Qt::yellow);
    const QColor hints = QToolTip::palette().color(QPalette::ToolTipBase);
    const QFont font = link.font();
    int entered = 0;
    int left = 0;
    QObject::connect(&link, &TQMLabel::mouseEntered, &link, [&] { ++entered; });
    QObject::connect(&link, &TQMLabel::mouseLeft, &link, [&] { ++left; });
    for (int round = 0; round < 2; ++round) {
        enter(link);
        EXPECT_TRUE(link.inside());
        EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(Qt::yellow));
        EXPECT_TRUE(link.font().underline());
        EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(Qt::blue));
        enter(link); // a second enter without a leave changes nothing more
        leave(link);
        EXPECT_FALSE(link.inside());
        EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), hints);
        EXPECT_EQ(link.font(), font);
    }
    EXPECT_EQ(entered, 4);
    EXPECT_EQ(left, 2);
    leave(link); // a leave while outside only raises the event
    EXPECT_EQ(left, 3);
}

TEST(LinkLabels, ClicksAndKeysOpenTheAddressOrTheMailLinkUncut)
{
    FakeDesktopOpener desktop;
    TQMHotLink link(desktop);
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    const QString longAddress =
        QStringLiteral("https://narrix.quillmark.net/") + QString(100, QLatin1Char('x'));
    link.setUrl(longAddress);
    link.resize(50, 20);
    int clicks = 0;
    QObject::connect(&link, &TQMLabel::clicked, &link, [&] {
        ++clicks;
        EXPECT_TRUE(desktop.opened.isEmpty() || clicks > 1); // the click event comes first
    });
    QTest::mouseClick(&link, Qt::LeftButton);
    QTest::keyClick(&link, Qt::Key_Return);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(desktop.opened, (QStringList{longAddress, longAddress}));

    TQMMailTo mail(desktop);
    EXPECT_EQ(mail.mailSubject, QStringLiteral("ZARuzu"));
    mail.mailSubject = QStringLiteral("Narrix");
    mail.mailCC = QStringLiteral("c@x.org");
    QTest::keyClick(&mail, Qt::Key_Space);
    EXPECT_EQ(desktop.opened.last(),
              QStringLiteral("mailto:support@quillmark.net?SUBJECT=Narrix&CC=c@x.org"));

    TQMSurfTo surf(desktop);
    surf.SurfTo(QString());
    EXPECT_EQ(desktop.opened.size(), 3); // an empty address is absent
}

// A link stretched by its layout reacts on its text only: the highlight, the hand cursor and a click.
TEST(LinkLabels, OnlyTheTextOfAWideLinkReacts)
{
    FakeDesktopOpener desktop;
    TQMHotLink link(desktop);
    link.setText(QStringLiteral("Get the newest themes!"));
    styleAsLink(link);
    link.resize(400, 20);
    const int textWidth = link.fontMetrics().horizontalAdvance(link.text());
    ASSERT_LT(textWidth + 40, 400);
    struct Case
    {
        int x;
        bool reacts;
    };
    for (const Case& c : {Case{2, true}, Case{textWidth / 2, true}, Case{textWidth - 2, true},
                          Case{textWidth + 20, false}, Case{textWidth + 200, false}, Case{398, false}}) {
        SCOPED_TRACE(c.x);
        const QPoint at(c.x, 10);
        leave(link);
        QEnterEvent entering(at, at, link.mapToGlobal(at));
        QApplication::sendEvent(&link, &entering);
        EXPECT_EQ(link.inside(), c.reacts);
        EXPECT_EQ(link.cursor().shape(), c.reacts ? Qt::PointingHandCursor : Qt::ArrowCursor);
        EXPECT_EQ(link.font().underline(), true); // a link is always underlined
        EXPECT_EQ(link.palette().color(QPalette::WindowText), c.reacts ? QColor(Qt::red) : QColor(Qt::blue));
        const qsizetype opened = desktop.opened.size();
        QTest::mouseClick(&link, Qt::LeftButton, Qt::NoModifier, at);
        EXPECT_EQ(desktop.opened.size(), opened + (c.reacts ? 1 : 0));
    }
    // Moving within the label onto the text and off it again.
    QMouseEvent onText(QEvent::MouseMove, QPointF(5, 10), link.mapToGlobal(QPointF(5, 10)), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&link, &onText);
    EXPECT_TRUE(link.inside());
    QMouseEvent offText(QEvent::MouseMove, QPointF(390, 10), link.mapToGlobal(QPointF(390, 10)), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&link, &offText);
    EXPECT_FALSE(link.inside());
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(Qt::blue));
}

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

TEST(TipOfTheDay, NextTipAndClosingRotateTheTipsByKeyboard)
{
    TfrmTOD dialog(lines({"True", "A", "B", "C"}));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tip of the Day"));
    EXPECT_EQ(dialog.shownTip(), QStringLiteral("A"));
    auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("cbShowTips"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier); // "Next &Tip"
    auto* next = dialog.findChild<QAbstractButton*>(QStringLiteral("btnNextTip"));
    ASSERT_TRUE(QTest::qWaitFor([next] { return !next->isDown(); }, 2000)); // the access key's click
    EXPECT_EQ(dialog.shownTip(), QStringLiteral("B"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // OK
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.showTips());
    EXPECT_EQ(dialog.closedLines(), lines({"True", "C", "A", "B"}));
}

TEST(TipOfTheDay, ClearingTheBoxAndPressingEscWritesFalse)
{
    TfrmTOD dialog(lines({"True", "A", "B"}));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* box = dialog.findChild<QCheckBox*>(QStringLiteral("cbShowTips"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.showTips());
    EXPECT_EQ(dialog.closedLines(), lines({"False", "B", "A"}));
}

TEST(TipOfTheDay, AMissingFileShowsAnEmptyTipAndNextDoesNothing)
{
    TfrmTOD dialog({});
    dialog.show();
    EXPECT_EQ(dialog.shownTip(), QString());
    dialog.findChild<QAbstractButton*>(QStringLiteral("btnNextTip"))->click();
    EXPECT_EQ(dialog.shownTip(), QString());
    dialog.close();
    EXPECT_TRUE(dialog.closedLines().isEmpty());
    EXPECT_FALSE(dialog.showTips());
}

TEST(AboutBox, ShowsTheVersionAndBuildAndItsLinksOpenOurPages)
{
    FakeDesktopOpener desktop;
    TfrmAbout about(desktop);
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Narrix"));
    auto* title = about.findChild<QLabel*>(QStringLiteral("lblTitle"));
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(title->text().startsWith(QStringLiteral("Narrix v")));
    EXPECT_GT(title->text().size(), 8);
    EXPECT_TRUE(title->font().bold());
    auto* build = about.findChild<QLabel*>(QStringLiteral("lblBuild"));
    ASSERT_NE(build, nullptr);
    EXPECT_TRUE(build->text().startsWith(QStringLiteral("Build: ")));
    auto* maker = about.findChild<QLabel*>(QStringLiteral("lnkMaker"));
    auto* support = about.findChild<QLabel*>(QStringLiteral("lnkSupport"));
    ASSERT_TRUE(maker != nullptr && support != nullptr);
    EXPECT_EQ(maker->toolTip(), QStringLiteral("Click here to visit our website!"));
    EXPECT_EQ(support->toolTip(), QStringLiteral("Click here to send us an email!"));
    for (QLabel* link : {maker, support})
        QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier,
                          qobject_cast<TQMLabel*>(link)->activeArea().center());
    EXPECT_EQ(desktop.opened, (QStringList{QStringLiteral("https://narrix.quillmark.net/"),
                                           QStringLiteral("mailto:support@quillmark.net?SUBJECT=Narrix")}));
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace narrix

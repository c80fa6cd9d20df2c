// The manual shipped with the program: every command of the main window's menus is explained under its
// caption, and every link inside the manual leads to a page or an anchor that exists.
#include "plugin/main_actions.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QWidget>
#include <gtest/gtest.h>

namespace narrix {
namespace {

QString manualFolder()
{
    return qEnvironmentVariable("NARRIX_SOURCE_DIR") + QStringLiteral("/data/manual");
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The page's text as a reader sees it: tags dropped, the entities we use decoded.
QString visibleText(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.simplified();
}

QStringList pages()
{
    return QDir(manualFolder()).entryList({QStringLiteral("*.html")}, QDir::Files);
}

TEST(Manual, ExplainsEveryMenuCommandByItsCaption)
{
    const QString text = visibleText(readText(manualFolder() + QStringLiteral("/index.html")));
    ASSERT_FALSE(text.isEmpty());
    QWidget owner;
    const MainActions actions = createMainActions(&owner);
    int commands = 0;
    for (const MainMenu& menu : createMainMenus(actions, &owner)) {
        for (QAction* action : menu.menu->actions()) {
            if (action->isSeparator())
                continue;
            const QString caption = QString(action->text()).remove(QLatin1Char('&'));
            EXPECT_TRUE(text.contains(caption)) << caption.toStdString() << " is not in the manual";
            ++commands;
        }
    }
    EXPECT_GE(commands, 49);
}

TEST(Manual, CoversTheFilesSettingsAndTheCommandLine)
{
    const QString text = visibleText(readText(manualFolder() + QStringLiteral("/index.html")));
    for (const char* topic : {"NARRIX_DATA_DIR",
                              "NARRIX_AUDIO",
                              "NARRIX_SPEECH_LOG",
                              "NARRIX_CHANNEL_LIST_URL",
                              "email://",
                              "LeadKey",
                              "TrailKey",
                              "LeadInc",
                              "TrailInc",
                              "Frequence",
                              "LastRun",
                              "Tips.txt",
                              "schedule.nxl",
                              "nxvoice.ini",
                              "vozozo",
                              "RealCustom",
                              "Greetings",
                              "Device",
                              "User-Defined",
                              "Get the newest themes!"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(topic))) << topic;
}

TEST(Manual, EveryLinkResolvesToAPageOrAnAnchorOfTheManual)
{
    const QRegularExpression idPattern(QStringLiteral("\\bid=\"([^\"]+)\""));
    const QRegularExpression linkPattern(QStringLiteral("\\b(?:href|src)=\"([^\"]*)\""));
    QHash<QString, QSet<QString>> anchors;
    for (const QString& page : pages()) {
        const QString html = readText(QDir(manualFolder()).filePath(page));
        for (const auto& match : idPattern.globalMatch(html)) {
            const QString id = match.captured(1);
            EXPECT_FALSE(anchors[page].contains(id))
                << page.toStdString() << ": id used twice: " << id.toStdString();
            anchors[page].insert(id);
        }
    }
    ASSERT_TRUE(anchors.contains(QStringLiteral("index.html")));
    int links = 0;
    for (const QString& page : pages()) {
        const QString html = readText(QDir(manualFolder()).filePath(page));
        for (const auto& match : linkPattern.globalMatch(html)) {
            const QString link = match.captured(1);
            ++links;
            if (link.startsWith(QLatin1String("https://")) || link.startsWith(QLatin1String("mailto:")))
                continue; // our web site and support mail, outside the manual
            const qsizetype hash = link.indexOf(QLatin1Char('#'));
            const QString file = hash < 0 ? link : link.left(hash);
            const QString target = file.isEmpty() ? page : file;
            ASSERT_FALSE(target.contains(QLatin1String("..")) || target.startsWith(QLatin1Char('/')))
                << link.toStdString();
            EXPECT_TRUE(QFileInfo::exists(QDir(manualFolder()).filePath(target)))
                << page.toStdString() << ": " << link.toStdString();
            if (hash >= 0) {
                EXPECT_TRUE(anchors.value(target).contains(link.mid(hash + 1)))
                    << page.toStdString() << ": " << link.toStdString();
            }
        }
    }
    EXPECT_GT(links, 30);
}

} // namespace
} // namespace narrix

#include "platform/interface_language.h"

#include "app/tf_main.h"
#include "desktop/chrome_tray.h"
#include "editor/find_dialog.h"
#include "schedule/schedule_list_model.h"
#include "support/main_window_harness.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include <set>

namespace narrix {
namespace {

using namespace Qt::StringLiterals;

TEST(InterfaceLanguage, TranslationNamesFollowTheUsersLanguagesUntilEnglish)
{
    struct Case
    {
        QString messagesLocale;
        QStringList uiLanguages;
        QStringList expected;
    };
    const QStringList german = {QStringLiteral("de"), QStringLiteral("de-Latn-DE"), QStringLiteral("de-DE")};
    const Case cases[] = {
        {QStringLiteral("de_DE.UTF-8"), german, {u"de"_s, u"de_Latn_DE"_s, u"de_Latn"_s, u"de_DE"_s}},
        {QStringLiteral("de_AT.UTF-8"), {u"de-AT"_s, u"de"_s}, {u"de_AT"_s, u"de"_s}},
        // LANGUAGE lists a second choice; English first means the texts as written.
        {QStringLiteral("fr_FR.UTF-8"), {u"fr-FR"_s, u"de"_s}, {u"fr_FR"_s, u"fr"_s, u"de"_s}},
        {QStringLiteral("en_GB.UTF-8"), {u"en-GB"_s, u"de"_s}, {}},
        {QStringLiteral("de_DE.UTF-8"), {u"de-DE"_s, u"en-US"_s, u"fr"_s}, {u"de_DE"_s, u"de"_s}},
        // The C locale loads nothing, whatever LANGUAGE says (as gettext ignores it there).
        {QStringLiteral("C"), german, {}},
        {QStringLiteral("C.UTF-8"), german, {}},
        {QStringLiteral("POSIX"), german, {}},
        {QString(), german, {}},
        {QStringLiteral("de_DE@euro"), {u"C"_s}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(interfaceTranslationNames(c.messagesLocale, c.uiLanguages), c.expected)
            << c.messagesLocale.toStdString() << " " << c.uiLanguages.join(u',').toStdString();
}

// The access key of a caption ("&File" -> 'f'), 0 when it has none.
QChar accessKey(const QString& caption)
{
    for (qsizetype i = caption.indexOf(u'&'); i >= 0 && i + 1 < caption.size();
         i = caption.indexOf(u'&', i + 2)) {
        if (caption[i + 1] != u'&')
            return caption[i + 1].toLower();
    }
    return {};
}

// Every caption of `captions` has an access key and no two share one.
void expectDistinctAccessKeys(const QStringList& captions, const std::string& where)
{
    std::set<QChar> seen;
    for (const QString& caption : captions) {
        const QChar key = accessKey(caption);
        EXPECT_FALSE(key.isNull()) << where << ": " << caption.toStdString() << " has no access key";
        EXPECT_TRUE(seen.insert(key).second) << where << ": " << caption.toStdString() << " repeats its key";
    }
}

QStringList itemCaptions(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* item : menu->actions()) {
        if (!item->isSeparator())
            captions << item->text();
    }
    return captions;
}

class InterfaceLanguageWindow : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    // The build puts the translations beside the program, where it looks for them.
    static QStringList builtFolders()
    {
        return interfaceTranslationFolders(qEnvironmentVariable("NARRIX_BINARY_DIR") +
                                           QStringLiteral("/src/app"));
    }
};

// The window, its tray menu, status bar, document title, schedule column and a dialog read in German for a
// German user and exactly as written for the C locale; in both, the captions of every menu keep distinct
// access keys (the German tray menu's too).
TEST_F(InterfaceLanguageWindow, MenusTrayAndDialogsReadInTheUsersLanguage)
{
    struct Case
    {
        QString messagesLocale;
        QStringList uiLanguages;
        QString language;
        QStringList menus;
        QStringList fileItems;
        QStringList trayItems;
        QString findTitle;
        QString listColumn;
        QString scheduleShown; // the schedule column of a daily item, stored as "07:30 - Daily"
        QString statusText;
        QString documentTitle;
        QString standardCancel;
        bool trayKeysDistinct; // the English tray menu's texts share their S
    };
    const Case cases[] = {
        {QStringLiteral("de_DE.UTF-8"),
         {u"de"_s, u"de-Latn-DE"_s, u"de-DE"_s},
         QStringLiteral("de"),
         {u"&Datei"_s, u"&Bearbeiten"_s, u"&Ansicht"_s, u"&Zeitplan"_s, u"&Sprache"_s, u"&Extras"_s,
          u"&Hilfe"_s},
         {u"&Neu"_s, u"Ö&ffnen..."_s, u"&Speichern"_s, u"Speichern &unter..."_s, u"&ZIR Erevaz..."_s,
          u"&Beenden"_s},
         {u"&Öffnen"_s, u"&Echtzeit-Sprachausgabe"_s, u"&Zwischenablage vorlesen"_s,
          u"&Geplante Sprachausgabe"_s, u"Vorlesen &anhalten"_s, u"&Beenden"_s},
         QStringLiteral("Suchen"),
         QStringLiteral("Titel"),
         QStringLiteral("07:30 - Täglich"),
         QStringLiteral(" Bereit"),
         QStringLiteral("Unbenannt"),
         QStringLiteral("Abbrechen"),
         true},
        {QStringLiteral("C"),
         {u"de"_s, u"de-Latn-DE"_s, u"de-DE"_s},
         QString(),
         {u"&File"_s, u"&Edit"_s, u"&View"_s, u"Sched&ule"_s, u"&Speech"_s, u"&Tools"_s, u"&Help"_s},
         {u"&New"_s, u"&Open..."_s, u"&Save"_s, u"Save &As..."_s, u"&ZIR Erevaz..."_s, u"E&xit"_s},
         {u"&Open"_s, u"&Real-Time Speech"_s, u"&Clipboard Speech"_s, u"&Scheduled Speech"_s,
          u"&Stop Reading"_s, u"E&xit"_s},
         QStringLiteral("Find"),
         QStringLiteral("Title"),
         QStringLiteral("07:30 - Daily"),
         QStringLiteral(" Ready"),
         QStringLiteral("Untitled"),
         QStringLiteral("Cancel"),
         false},
    };
    for (const Case& c : cases) {
        const std::string row = c.messagesLocale.toStdString();
        const InterfaceLanguage language(interfaceTranslationNames(c.messagesLocale, c.uiLanguages),
                                         builtFolders());
        EXPECT_EQ(language.language(), c.language) << row;

        ChromeTray tray;
        MainServices services;
        services.tray = &tray;
        services.windowParts = {&tray};
        const std::unique_ptr<TfMain> window = newWindow(services);
        QStringList menus, bandButtons;
        for (const char* name :
             {"mnuFile", "mnuEdit", "mnuView", "mnuSchedule", "mnuSpeech", "mnuTools", "mnuHelp"}) {
            const auto* menu = window->findChild<QMenu*>(QLatin1String(name));
            ASSERT_NE(menu, nullptr) << name;
            menus << menu->title();
            expectDistinctAccessKeys(itemCaptions(menu), row + " " + name);
            const auto* button =
                window->findChild<QToolButton*>(QStringLiteral("btn") + QLatin1String(name + 3));
            ASSERT_NE(button, nullptr) << name;
            bandButtons << button->text();
        }
        EXPECT_EQ(menus, c.menus) << row;
        EXPECT_EQ(bandButtons, c.menus) << row;
        expectDistinctAccessKeys(menus, row + " menu band");
        EXPECT_EQ(itemCaptions(window->findChild<QMenu*>(QStringLiteral("mnuFile"))), c.fileItems) << row;
        EXPECT_EQ(itemCaptions(tray.trayMenu()), c.trayItems) << row;
        if (c.trayKeysDistinct)
            expectDistinctAccessKeys(itemCaptions(tray.trayMenu()), row + " tray menu");
        const auto* list = window->findChild<QAbstractItemView*>(QStringLiteral("ListView1"));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), c.listColumn) << row;
        ScheduleListModel schedule;
        ScheduleItem daily;
        daily.general = "07:30 - Daily";
        schedule.appendItem(daily);
        const QModelIndex scheduleCell = schedule.index(0, ScheduleListModel::ScheduleColumn);
        EXPECT_EQ(schedule.data(scheduleCell, Qt::DisplayRole).toString(), c.scheduleShown) << row;
        // What the list file is written from stays English.
        EXPECT_EQ(schedule.item(0).general, "07:30 - Daily") << row;
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("sbText"))->text(), c.statusText) << row;
        EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblDocument"))->text(), c.documentTitle) << row;

        FindDialog find(window.get());
        EXPECT_EQ(find.windowTitle(), c.findTitle) << row;
        QStringList findCaptions;
        for (const QAbstractButton* button : find.findChildren<QAbstractButton*>()) {
            if (!accessKey(button->text()).isNull())
                findCaptions << button->text();
        }
        for (const QLabel* label : find.findChildren<QLabel*>()) {
            if (label->buddy() != nullptr)
                findCaptions << label->text();
        }
        expectDistinctAccessKeys(findCaptions, row + " find dialog");
        // Qt's own buttons come in the same language.
        QDialogButtonBox box(QDialogButtonBox::Cancel);
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove(u'&'), c.standardCancel) << row;
    }
}

} // namespace
} // namespace narrix

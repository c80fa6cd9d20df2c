#include "settings/settings_codec.h"

#include "fakes/memory_settings_store.h"
#include "platform/locale_adapter.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::MemorySettingsStore;

SettingsEnvironment environment()
{
    SettingsEnvironment e;
    e.menuFont.charset = 0;
    e.menuFont.name = QStringLiteral("Menu Sans");
    e.menuFont.size = 10;
    e.menuFont.color = -16777208;
    e.menuFont.italic = true;
    e.screenWidth = 1280;
    e.screenHeight = 800;
    return e;
}

const FixedLocale english{QLocale(QLocale::English, QLocale::UnitedStates)};
const FixedLocale german{QLocale(QLocale::German, QLocale::Germany)};

Settings read(const MemorySettingsStore& store, const LocaleAdapter& locale = english)
{
    Settings s;
    readSettings(store, environment(), locale, s);
    return s;
}

QString textOf(const SettingsTexts& texts, const QString& name)
{
    for (const auto& [n, t] : texts)
        if (n == name)
            return t;
    return QStringLiteral("<absent>");
}

TEST(SettingsCodec, EmptyStoreGivesEveryDefault)
{
    const Settings s = read(MemorySettingsStore{});
    EXPECT_EQ(s.documentFont, environment().menuFont);
    EXPECT_EQ(s.windowStartState, WindowStartState::Normal);
    EXPECT_DOUBLE_EQ(s.split1, 0.54);
    EXPECT_DOUBLE_EQ(s.split2, 0.66);
    EXPECT_EQ(s.windowLeft, (1280 - 470) / 2);
    EXPECT_EQ(s.windowTop, (800 - 384) / 2);
    EXPECT_EQ(s.windowWidth, 470);
    EXPECT_EQ(s.windowHeight, 384);
    EXPECT_TRUE(s.showTips && s.viewToolbar && s.viewStatusbar && s.viewLogo);
    EXPECT_TRUE(s.enableRealtime && s.enableClipboard && s.enableSchedule);
    EXPECT_EQ(s.voice, QStringLiteral("Adult Male #1, American English (TruVoice)"));
    EXPECT_EQ(s.speed, 150);
    EXPECT_EQ(s.realMode, QStringLiteral("Word"));
    EXPECT_EQ(s.realCustom, QStringLiteral(", ; . ? \" : ! '"));
    EXPECT_EQ(s.tellTime, QStringLiteral("Hourly"));
    EXPECT_EQ(s.dateStyle, QStringLiteral("Today is #."));
    EXPECT_EQ(s.timeStyle, QStringLiteral("It's # now."));
    EXPECT_EQ(s.hourFormat, QStringLiteral("12"));
    EXPECT_EQ(s.theme, 2);
    EXPECT_TRUE(s.normalIcon.isEmpty() && s.openIcon.isEmpty() && s.closeIcon.isEmpty());
    EXPECT_TRUE(s.proxy.isEmpty() && s.port.isEmpty());
    EXPECT_EQ(s.greetings, QStringLiteral("Welcome to Narrix!"));
    EXPECT_FALSE(s.startMinimized);
    EXPECT_FALSE(s.taskbarButton);
    EXPECT_EQ(s.device, -1);
    // A file from before the desktop-wide keys has none.
    EXPECT_TRUE(s.shortcutReadClipboard.isEmpty() && s.shortcutPlayPause.isEmpty() &&
                s.shortcutStop.isEmpty());
    EXPECT_EQ(s, defaultSettings(environment()));
}

TEST(SettingsCodec, BooleansCompareExactlyAndEachWithItsOwnRule)
{
    MemorySettingsStore store;
    store.values = {{QStringLiteral("ViewToolbar"), QStringLiteral("false")},
                    {QStringLiteral("ViewStatusbar"), QStringLiteral("False")},
                    {QStringLiteral("ViewNarrixLogo"), QStringLiteral("FALSE")},
                    {QStringLiteral("ShowTips"), QStringLiteral("False")},
                    {QStringLiteral("EnableRealtime"), QStringLiteral("0")},
                    {QStringLiteral("EnableClipboard"), QStringLiteral("False")},
                    {QStringLiteral("StartMinimized"), QStringLiteral("true")},
                    {QStringLiteral("TaskbarButton"), QStringLiteral("True")},
                    {QStringLiteral("FollowAlong"), QStringLiteral("false")}};
    const Settings s = read(store);
    EXPECT_TRUE(s.followAlong);
    EXPECT_TRUE(s.viewToolbar); // only "False" is off
    EXPECT_FALSE(s.viewStatusbar);
    EXPECT_TRUE(s.viewLogo);
    EXPECT_FALSE(s.showTips);
    EXPECT_TRUE(s.enableRealtime);
    EXPECT_FALSE(s.enableClipboard);
    EXPECT_TRUE(s.enableSchedule);
    EXPECT_FALSE(s.startMinimized); // only "True" is on
    EXPECT_TRUE(s.taskbarButton);
}

TEST(SettingsCodec, DeviceKeepsTheLow32Bits)
{
    MemorySettingsStore store;
    for (const auto& [text, device] : std::vector<std::pair<QString, int>>{
             {QStringLiteral("4294967295"), -1},
             {QStringLiteral("-1"), -1},
             {QStringLiteral("2"), 2},
             {QStringLiteral("4294967296"), 0},
             {QStringLiteral("8589934593"), 1},
             {QStringLiteral("2147483648"), std::numeric_limits<std::int32_t>::min()}}) {
        store.values[QStringLiteral("Device")] = text;
        EXPECT_EQ(read(store).device, device) << text.toStdString();
    }
    Settings s = read(MemorySettingsStore{});
    s.device = -1;
    EXPECT_EQ(textOf(settingsTexts(s, english, true), QStringLiteral("Device")),
              QStringLiteral("4294967295"));
    s.device = 3;
    EXPECT_EQ(textOf(settingsTexts(s, english, true), QStringLiteral("Device")), QStringLiteral("3"));
}

TEST(SettingsCodec, FontStyleLettersAndWindowStateTexts)
{
    MemorySettingsStore store;
    store.values[QStringLiteral("FontStyle")] = QStringLiteral("xKzB");
    store.values[QStringLiteral("WindowState")] = QStringLiteral("Minimize");
    Settings s = read(store);
    EXPECT_TRUE(s.documentFont.bold);
    EXPECT_FALSE(s.documentFont.italic); // not the menu font's italic: letters were given
    EXPECT_FALSE(s.documentFont.underline);
    EXPECT_TRUE(s.documentFont.strikeOut);
    EXPECT_EQ(s.windowStartState, WindowStartState::Minimized);
    s.documentFont.underline = true;
    EXPECT_EQ(textOf(settingsTexts(s, english, true), QStringLiteral("FontStyle")), QStringLiteral("BUK"));

    for (const auto& [text, state] : std::vector<std::pair<QString, WindowStartState>>{
             {QStringLiteral("Normal"), WindowStartState::Normal},
             {QString(), WindowStartState::Normal},
             {QStringLiteral("Maximize"), WindowStartState::Maximized},
             {QStringLiteral("normal"), WindowStartState::Maximized},
             {QStringLiteral("anything"), WindowStartState::Maximized}}) {
        store.values[QStringLiteral("WindowState")] = text;
        EXPECT_EQ(read(store).windowStartState, state) << text.toStdString();
    }
}

TEST(SettingsCodec, BoundsAreAppliedAsSoonAsEachIsRead)
{
    MemorySettingsStore store;
    store.values = {{QStringLiteral("WindowLeft"), QStringLiteral("10")},
                    {QStringLiteral("WindowTop"), QStringLiteral("20")},
                    {QStringLiteral("WindowWidth"), QStringLiteral("300")},
                    {QStringLiteral("WindowHeight"), QStringLiteral("oops")}};
    std::vector<std::pair<WindowBound, int>> applied;
    Settings s;
    EXPECT_TRUE(readSettings(store, environment(), english, s, nullptr,
                             [&](WindowBound b, int v) { applied.emplace_back(b, v); }));
    const std::vector<std::pair<WindowBound, int>> expected = {
        {WindowBound::Left, 10}, {WindowBound::Top, 20}, {WindowBound::Width, 300}};
    EXPECT_EQ(applied, expected);
}

TEST(SettingsCodec, ANonNumericValueStopsReadingThere)
{
    const QStringList numeric = {
        QStringLiteral("FontCharset"), QStringLiteral("FontSize"),    QStringLiteral("FontColor"),
        QStringLiteral("Split1"),      QStringLiteral("Split2"),      QStringLiteral("WindowLeft"),
        QStringLiteral("WindowTop"),   QStringLiteral("WindowWidth"), QStringLiteral("WindowHeight"),
        QStringLiteral("Speed"),       QStringLiteral("Theme"),       QStringLiteral("Device")};
    for (const QString& broken : numeric) {
        MemorySettingsStore store;
        store.values[QStringLiteral("Greetings")] = QStringLiteral("Hello");
        store.values[QStringLiteral("Voice")] = QStringLiteral("Some voice");
        store.values[broken] = QStringLiteral("12abc");
        Settings s;
        s.greetings = QStringLiteral("before");
        QStringList valuesRead;
        const std::optional<SettingsReadError> error =
            readSettings(store, environment(), english, s, &valuesRead);
        ASSERT_TRUE(error) << "no error for " << broken.toStdString();
        EXPECT_EQ(error->name, broken);
        EXPECT_EQ(error->text, QStringLiteral("12abc"));
        EXPECT_EQ(error->message(), QStringLiteral("setting %1 is not a number: \"12abc\"").arg(broken));
        ASSERT_FALSE(valuesRead.isEmpty());
        EXPECT_EQ(valuesRead.last(), broken);
        EXPECT_EQ(valuesRead, settingsReadOrder().mid(0, valuesRead.size()));
        if (broken != QStringLiteral("Device")) {
            EXPECT_EQ(s.greetings, QStringLiteral("before")) << broken.toStdString();
        }
    }
}

TEST(SettingsCodec, SplitsReadWithEitherSeparatorAndAreWrittenWithTheLocales)
{
    // A file written under one locale is read under another (C, then de_DE) without losing anything.
    for (const auto& [text1, text2] : {std::pair{u"0,25", u"0,75"}, std::pair{u"0.25", u"0.75"}}) {
        MemorySettingsStore store;
        store.values[QStringLiteral("Split1")] = QString::fromUtf16(text1);
        store.values[QStringLiteral("Split2")] = QString::fromUtf16(text2);
        for (const LocaleAdapter* locale : std::vector<const LocaleAdapter*>{&english, &german}) {
            Settings s;
            ASSERT_FALSE(readSettings(store, environment(), *locale, s));
            EXPECT_DOUBLE_EQ(s.split1, 0.25);
            EXPECT_DOUBLE_EQ(s.split2, 0.75);
        }
    }
    Settings s = read(MemorySettingsStore{});
    s.split1 = 0.25;
    EXPECT_EQ(textOf(settingsTexts(s, german, true), QStringLiteral("Split1")), QStringLiteral("0,25"));
    EXPECT_EQ(textOf(settingsTexts(s, english, true), QStringLiteral("Split1")), QStringLiteral("0.25"));
    MemorySettingsStore broken;
    broken.values[QStringLiteral("Split1")] = QStringLiteral("0;25");
    EXPECT_TRUE(readSettings(broken, environment(), german, s));
}

TEST(SettingsCodec, WindowBoundsFarOutsideAnyScreenAreClamped)
{
    MemorySettingsStore store;
    store.values = {{QStringLiteral("WindowLeft"), QStringLiteral("2147483647")},
                    {QStringLiteral("WindowTop"), QStringLiteral("-2147483648")},
                    {QStringLiteral("WindowWidth"), QStringLiteral("2147483647")},
                    {QStringLiteral("WindowHeight"), QStringLiteral("-5")}};
    std::vector<std::pair<WindowBound, int>> applied;
    Settings s;
    ASSERT_FALSE(readSettings(store, environment(), english, s, nullptr,
                              [&](WindowBound b, int v) { applied.emplace_back(b, v); }));
    EXPECT_EQ(s.windowLeft, 16777215);
    EXPECT_EQ(s.windowTop, -16777215);
    EXPECT_EQ(s.windowWidth, 16777215);
    EXPECT_EQ(s.windowHeight, 0);
    const std::vector<std::pair<WindowBound, int>> expected = {{WindowBound::Left, 16777215},
                                                               {WindowBound::Top, -16777215},
                                                               {WindowBound::Width, 16777215},
                                                               {WindowBound::Height, 0}};
    EXPECT_EQ(applied, expected);
    store.values[QStringLiteral("WindowLeft")] = QStringLiteral("-20");
    EXPECT_EQ(read(store).windowLeft, -20); // a window partly left of the screen stays there
}

TEST(SettingsCodec, WritesEveryValueInShutdownOrder)
{
    const Settings s = read(MemorySettingsStore{});
    const SettingsTexts texts = settingsTexts(s, english, true);
    QStringList names;
    for (const auto& entry : texts)
        names << entry.first;
    const QStringList expected = {QStringLiteral("FontCharset"),
                                  QStringLiteral("FontName"),
                                  QStringLiteral("FontSize"),
                                  QStringLiteral("FontColor"),
                                  QStringLiteral("FontStyle"),
                                  QStringLiteral("WindowState"),
                                  QStringLiteral("WindowLeft"),
                                  QStringLiteral("WindowTop"),
                                  QStringLiteral("WindowWidth"),
                                  QStringLiteral("WindowHeight"),
                                  QStringLiteral("Split1"),
                                  QStringLiteral("Split2"),
                                  QStringLiteral("ViewToolbar"),
                                  QStringLiteral("ViewStatusbar"),
                                  QStringLiteral("ViewNarrixLogo"),
                                  QStringLiteral("EnableRealtime"),
                                  QStringLiteral("EnableClipboard"),
                                  QStringLiteral("EnableSchedule"),
                                  QStringLiteral("Voice"),
                                  QStringLiteral("Speed"),
                                  QStringLiteral("RealMode"),
                                  QStringLiteral("RealCustom"),
                                  QStringLiteral("TellTime"),
                                  QStringLiteral("DateStyle"),
                                  QStringLiteral("TimeStyle"),
                                  QStringLiteral("HourFormat"),
                                  QStringLiteral("Theme"),
                                  QStringLiteral("NormalIcon"),
                                  QStringLiteral("OpenIcon"),
                                  QStringLiteral("CloseIcon"),
                                  QStringLiteral("Proxy"),
                                  QStringLiteral("Port"),
                                  QStringLiteral("Greetings"),
                                  QStringLiteral("StartMinimized"),
                                  QStringLiteral("TaskbarButton"),
                                  QStringLiteral("Device"),
                                  QStringLiteral("FollowAlong"),
                                  QStringLiteral("ShortcutReadClipboard"),
                                  QStringLiteral("ShortcutPlayPause"),
                                  QStringLiteral("ShortcutStop")};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(settingsWriteOrder(), expected);
    EXPECT_EQ(textOf(texts, QStringLiteral("ViewToolbar")), QStringLiteral("True"));
    EXPECT_EQ(textOf(texts, QStringLiteral("StartMinimized")), QStringLiteral("False"));
    EXPECT_EQ(textOf(texts, QStringLiteral("FontColor")), QStringLiteral("-16777208"));

    const SettingsTexts maximised = settingsTexts(s, english, false);
    EXPECT_EQ(maximised.size(), 36u);
    EXPECT_EQ(textOf(maximised, QStringLiteral("WindowLeft")), QStringLiteral("<absent>"));
}

TEST(SettingsCodec, WhatIsWrittenReadsBackUnchanged)
{
    Settings s = read(MemorySettingsStore{});
    s.documentFont = {238, QStringLiteral("Serif, Bold"), 14, 0x00FF8000, true, false, true, false};
    s.windowStartState = WindowStartState::Maximized;
    s.split1 = 0.123456789012345;
    s.greetings = kNoGreeting;
    s.realCustom = QStringLiteral("= ; , \\ \"");
    s.device = -1;
    s.startMinimized = true;
    s.speed = -5;
    s.shortcutPlayPause = QStringLiteral("Ctrl+Alt+P");
    for (const LocaleAdapter* locale : std::vector<const LocaleAdapter*>{&english, &german}) {
        MemorySettingsStore store;
        writeSettings(store, settingsTexts(s, *locale, true));
        EXPECT_EQ(store.writes, settingsWriteOrder());
        const Settings back = read(store, *locale);
        EXPECT_EQ(back, s);
        MemorySettingsStore again;
        writeSettings(again, settingsTexts(back, *locale, true));
        EXPECT_EQ(again.values, store.values);
    }
}

TEST(SettingsCodec, AfterAnEarlyStopOnlyChangedUnreadValuesAreWritten)
{
    Settings s = read(MemorySettingsStore{});
    const SettingsTexts atStartup = settingsTexts(s, english, true);
    const QStringList valuesRead = settingsReadOrder().mid(0, 3); // stopped at FontSize
    s.greetings = QStringLiteral("Changed in the options");
    s.documentFont.size = 11;
    const SettingsTexts written = textsToWrite(settingsTexts(s, english, true), atStartup, valuesRead);
    QStringList names;
    for (const auto& entry : written)
        names << entry.first;
    EXPECT_EQ(names, (QStringList{QStringLiteral("FontCharset"), QStringLiteral("FontName"),
                                  QStringLiteral("FontSize"), QStringLiteral("Greetings")}));
    // A complete start-up writes everything.
    EXPECT_EQ(textsToWrite(atStartup, atStartup, settingsReadOrder()).size(), 40u);
}

} // namespace
} // namespace narrix

#include "app/tf_main.h"
#include "desktop/launch_request.h"
#include "desktop/window_bounds.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_speech_engine.h"
#include "fakes/memory_settings_store.h"
#include "platform/locale_adapter.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(WindowBounds, StoredBoundsAreShrunkAndMovedIntoTheAvailableArea)
{
    const QRect screen(0, 0, 1024, 700);
    const QRect secondScreen(1024, 30, 800, 600);
    const QSize minimum(0, 150);
    struct Case
    {
        const char* name;
        QRect stored;
        QRect available;
        QRect expected;
    };
    const Case cases[] = {
        {"fits: unchanged", {100, 50, 470, 384}, screen, {100, 50, 470, 384}},
        {"huge", {0, 0, 60000, 60000}, screen, {0, 0, 1024, 700}},
        {"huge and off to the right", {3000, 200, 60000, 300}, screen, {0, 200, 1024, 300}},
        {"past the right and bottom edges", {900, 600, 470, 384}, screen, {554, 316, 470, 384}},
        {"above and left of the screen", {-500, -80, 470, 384}, screen, {0, 0, 470, 384}},
        {"the widget size limits", {16777000, -16777000, 16777215, 5}, screen, {0, 0, 1024, 150}},
        {"below the minimum height", {10, 10, 300, 20}, screen, {10, 10, 300, 150}},
        {"on a second screen with a panel", {1100, 0, 900, 700}, secondScreen, {1024, 30, 800, 600}},
        {"no screen at all: as stored", {5, 5, 60000, 60000}, QRect(), {5, 5, 60000, 60000}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(boundsWithinScreen(c.stored, c.available, minimum), c.expected) << c.name;
}

TEST(WindowBounds, TheWindowStartsOnTheScreenWhateverTheSettingsSay)
{
    testing::FakeSpeechEngine engine;
    testing::MemorySettingsStore store;
    testing::FakePrompter prompter;
    FixedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    for (const char16_t* name : {u"WindowWidth", u"WindowHeight"})
        store.values.insert(QString::fromUtf16(name), QStringLiteral("60000"));
    store.values.insert(QStringLiteral("WindowLeft"), QStringLiteral("-9000"));
    TfMain window(engine, store, prompter, locale, {});
    window.FormCreate({});
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(available.contains(QRect(window.pos(), window.size())))
        << window.x() << "," << window.y() << " " << window.width() << "x" << window.height();
    window.FormDestroy();
    EXPECT_EQ(store.values.value(QStringLiteral("WindowWidth")).toInt(), window.width());
    EXPECT_LE(store.values.value(QStringLiteral("WindowHeight")).toInt(), available.height());
}

TEST(LaunchRequest, ArgumentsToSpeakOpenOrImport)
{
    using Kind = LaunchRequest::Kind;
    const QString here = QDir::currentPath();
    struct Case
    {
        QStringList arguments;
        std::optional<LaunchRequest> expected;
        const char* error;
    };
    const Case cases[] = {
        {{}, LaunchRequest{}, ""},
        {{QStringLiteral("news.txt"), QStringLiteral("ignored")},
         LaunchRequest{Kind::Speak, QStringLiteral("news.txt")},
         ""},
        {{QStringLiteral("example.com/page")},
         LaunchRequest{Kind::Speak, QStringLiteral("example.com/page")},
         ""},
        {{QStringLiteral("--open"), QStringLiteral("a b.txt")},
         LaunchRequest{Kind::Open, here + QStringLiteral("/a b.txt")},
         ""},
        {{QStringLiteral("--import"), QStringLiteral("/tmp/l.nxl")},
         LaunchRequest{Kind::Import, QStringLiteral("/tmp/l.nxl")},
         ""},
        {{QStringLiteral("--open")}, std::nullopt, "--open needs a file name"},
        {{QStringLiteral("--import"), QString()}, std::nullopt, "--import needs a file name"},
        {{QStringLiteral("--opne"), QStringLiteral("x")}, std::nullopt, "unknown option --opne"},
    };
    for (const Case& c : cases) {
        QString error;
        const std::optional<LaunchRequest> got = parseLaunchArguments(c.arguments, &error);
        EXPECT_EQ(got, c.expected) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(error.left(qstrlen(c.error)), QString::fromLatin1(c.error));
        if (got) {
            EXPECT_EQ(got->startUpArguments(),
                      got->kind == Kind::Speak ? QStringList{got->path} : QStringList{});
        }
    }
}

} // namespace
} // namespace narrix

#include "app/tf_main.h"
#include "desktop/chrome_tray.h"
#include "desktop/instance_hand_over.h"
#include "desktop/single_instance.h"
#include "desktop/tray_theme.h"
#include "fakes/fake_main_services.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_speech_engine.h"
#include "fakes/memory_settings_store.h"
#include "platform/data_folder.h"
#include "platform/locale_adapter.h"
#include "settings/settings.h"
#include "support/main_window_harness.h"
#include "ui/circle_panel.h"

#include <QLocalServer>
#include <QLockFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <QDir>
#include <QTimer>

#include <csignal>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace narrix {
namespace {

TEST(TrayTheme, BuiltInThemesAndUserFallbacks)
{
    const auto loadsExcept = [](QString missing) {
        return [missing](const QString& path) { return !path.isEmpty() && path != missing; };
    };
    struct Case
    {
        int theme;
        QString missing;
        TrayThemePictures expected;
    };
    const Case cases[] = {
        {0, {}, {builtInTrayPicture(0), builtInTrayPicture(2), builtInTrayPicture(1)}},
        {8, {}, {builtInTrayPicture(24), builtInTrayPicture(26), builtInTrayPicture(25)}},
        {9, {}, {QStringLiteral("n.ico"), QStringLiteral("c.ico"), QStringLiteral("o.ico")}},
        // A missing open frame: both frames are Funny's, the user's still picture stays.
        {9, QStringLiteral("o.ico"), {QStringLiteral("n.ico"), builtInTrayPicture(8), builtInTrayPicture(7)}},
        {9,
         QStringLiteral("n.ico"),
         {builtInTrayPicture(6), QStringLiteral("c.ico"), QStringLiteral("o.ico")}},
        {42, {}, {builtInTrayPicture(6), builtInTrayPicture(8), builtInTrayPicture(7)}},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.theme = c.theme;
        settings.normalIcon = QStringLiteral("n.ico");
        settings.openIcon = QStringLiteral("o.ico");
        settings.closeIcon = QStringLiteral("c.ico");
        const TrayThemePictures got = trayThemePictures(settings, loadsExcept(c.missing));
        EXPECT_EQ(got.normal, c.expected.normal) << c.theme << " " << c.missing.toStdString();
        EXPECT_EQ(got.closeFrame, c.expected.closeFrame) << c.theme;
        EXPECT_EQ(got.openFrame, c.expected.openFrame) << c.theme;
    }
    for (int picture = 0; picture < 27; ++picture)
        EXPECT_FALSE(QIcon(builtInTrayPicture(picture)).pixmap(16, 16).isNull()) << picture;
}

TEST(TrayIcon, AnimationAlternatesOpenAndCloseStartingWithOpen)
{
    TQMTrayIcon icon;
    icon.setActive(true);
    QPixmap close(8, 8), open(8, 8);
    close.fill(Qt::black);
    open.fill(Qt::white);
    icon.setFrames({QIcon(close), QIcon(open)});
    icon.nextFrame();
    EXPECT_EQ(icon.frameIndex(), 1);
    icon.nextFrame();
    EXPECT_EQ(icon.frameIndex(), 0);
    icon.setHint(QStringLiteral("Narrix|long part") + QString(80, QLatin1Char('x')));
    EXPECT_EQ(icon.toolTip(), QStringLiteral("Narrix"));
    icon.setHint(QString(80, QLatin1Char('y')));
    EXPECT_EQ(icon.toolTip().size(), 63);
}

class ChromeTrayWindow : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    ChromeTray tray;
    std::unique_ptr<TfMain> window;

    void SetUp() override
    {
        MainServices services;
        services.tray = &tray;
        services.windowParts = {&tray};
        window = newWindow(services);
        window->FormCreate({});
        window->show();
    }
};

TEST_F(ChromeTrayWindow, LeftClickMinimisesThenRestoresAndRightClickNeedsTheMinimisedWindow)
{
    EXPECT_EQ(tray.logoFrame(), 1);
    tray.trayRightButtonDown();
    EXPECT_FALSE(tray.trayMenu()->isVisible());
    tray.trayLeftButtonDown();
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(window->state().minimized);
    // No tray host here: the window stays an ordinary minimised one rather than vanishing.
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isVisible());
    tray.trayLeftButtonDown();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_FALSE(window->state().minimized);
    EXPECT_TRUE(window->isVisible());
}

// Exit from the tray ends the program as File > Exit does, also while the window is hidden in the
// tray (closing a hidden window alone would leave the event loop running); Stop Reading is enabled
// exactly while Speech > Stop is.
TEST_F(ChromeTrayWindow, TrayExitEndsTheProgramFromTheTrayAndStopReadingFollowsStop)
{
    auto* stopReading = tray.trayMenu()->findChild<QAction*>(QStringLiteral("StopReading1"));
    ASSERT_NE(stopReading, nullptr);
    EXPECT_FALSE(window->actions().actStop->isEnabled());
    EXPECT_FALSE(stopReading->isEnabled());
    window->actions().actStop->setEnabled(true);
    EXPECT_TRUE(stopReading->isEnabled());
    window->actions().actStop->setEnabled(false);
    EXPECT_FALSE(stopReading->isEnabled());

    tray.minimizeApplication();
    window->hide(); // as a tray host leaves it
    ASSERT_TRUE(window->state().minimized);
    auto* exit = tray.trayMenu()->findChild<QAction*>(QStringLiteral("Exit1"));
    ASSERT_NE(exit, nullptr);
    QTimer::singleShot(0, exit, &QAction::trigger);
    // Ends the loop with 1 should the exit never come.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    guard.stop();
    EXPECT_TRUE(window->transfers().cancelRequested()); // the close request ran
}

TEST_F(ChromeTrayWindow, TrayTwinsFollowTheToolsSwitchesAndTheLogoPlaysWhileSpeaking)
{
    auto* twin = tray.trayMenu()->findChild<QAction*>(QStringLiteral("Clip1"));
    ASSERT_NE(twin, nullptr);
    window->actions().Clip2->setChecked(false);
    EXPECT_FALSE(twin->isChecked());
    twin->setChecked(true);
    EXPECT_TRUE(window->actions().Clip2->isChecked());

    tray.setAnimationDelay(5);
    tray.startSpeakingAnimation();
    QTRY_VERIFY(tray.logoFrame() > 2);
    tray.stopSpeakingAnimation();
    tray.showStillPicture();
    EXPECT_EQ(tray.logoFrame(), 1);
}

// The panes follow the palette: under a dark one the window is dark, bevels included. The picture is
// the README's screenshot of the dark window.
TEST_F(ChromeTrayWindow, PanesFollowADarkPalette)
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2d, 0x31));
    dark.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1f, 0x22));
    dark.setColor(QPalette::AlternateBase, QColor(0x2b, 0x2d, 0x31));
    dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3d, 0x42));
    dark.setColor(QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Light, QColor(0x5a, 0x5e, 0x66));
    dark.setColor(QPalette::Dark, QColor(0x16, 0x17, 0x19));
    dark.setColor(QPalette::Highlight, QColor(0x35, 0x74, 0xf0));
    window->setPalette(dark);
    window->resize(640, 420);
    QCoreApplication::processEvents();
    auto* pane = window->findChild<TCirclePanel*>();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->borderTopColor(), dark.color(QPalette::Light));
    EXPECT_EQ(pane->borderBottomColor(), dark.color(QPalette::Dark));
    const QImage shot = window->grab().toImage();
    EXPECT_LT(shot.pixelColor(shot.width() / 2, shot.height() / 2).lightness(), 100);
    const QByteArray source = qgetenv("NARRIX_SOURCE_DIR");
    if (!source.isEmpty())
        shot.save(QString::fromUtf8(source) + QStringLiteral("/docs/screenshots/window-dark.png"));
}

TEST(SingleInstance, SecondInstanceSeesTheFirstAndAKilledOneIsReplaced)
{
    QTemporaryDir runtime;
    setGivenRuntimeFolder(runtime.path());
    {
        TQMInstances first(QStringLiteral("NarrixTest"));
        EXPECT_TRUE(first.FirstInstance());
        QSignalSpy received(&first, &TQMInstances::received);
        TQMInstances second(QStringLiteral("NarrixTest"));
        EXPECT_FALSE(second.FirstInstance());
        EXPECT_TRUE(second.send(InstanceMessage::HandOver));
        QTRY_COMPARE(received.count(), 1);
        EXPECT_EQ(received.at(0).at(0).value<InstanceMessage>(), InstanceMessage::HandOver);
    }
    // A killed instance leaves its lock file and its socket behind.
    const QString base = runtime.path() + QStringLiteral("/NarrixTest");
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(base + QStringLiteral(".lock"));
        lock.tryLock(0);
        QLocalServer server;
        server.listen(base);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(QFile::exists(base + QStringLiteral(".lock")));
    ASSERT_TRUE(QFile::exists(base));
    TQMInstances next(QStringLiteral("NarrixTest"));
    EXPECT_TRUE(next.FirstInstance());
    TQMInstances later(QStringLiteral("NarrixTest"));
    EXPECT_FALSE(later.FirstInstance());
    QSignalSpy received(&next, &TQMInstances::received);
    EXPECT_TRUE(later.send(InstanceMessage::ComeToFront));
    QTRY_COMPARE(received.count(), 1);
}

// Only an instance that answers ends a start. A lock held by a process that never answers, and a
// runtime folder where no lock can be made, leave the program running without the single instance,
// saying why.
TEST(SingleInstance, OnlyAnAnsweringInstanceEndsTheStart)
{
    QTemporaryDir runtime;
    const QString saved = givenRuntimeFolder();
    setGivenRuntimeFolder(runtime.path());
    testing::MemorySettingsStore registry;
    ChromeTray tray;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        QLockFile lock(runtime.path() + QStringLiteral("/NarrixMute.lock"));
        lock.tryLock(0);
        if (::write(ready[1], "x", 1) == 1)
            ::pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    {
        TQMInstances mute(QStringLiteral("NarrixMute"));
        EXPECT_EQ(mute.lookup(), InstanceLookup::AnotherRuns);
        InstanceHandOver handOver(mute, registry, tray);
        EXPECT_FALSE(handOver.handOverToRunningInstance({}));
        EXPECT_TRUE(handOver.problem().contains(QStringLiteral("does not answer")))
            << handOver.problem().toStdString();
    }
    ::kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);

    // A read-only runtime folder (a read-only tmpfs, which stops root too).
    const QByteArray mountPoint = QFile::encodeName(runtime.filePath(QStringLiteral("ro")));
    QDir().mkpath(runtime.filePath(QStringLiteral("ro")));
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", MS_RDONLY, "size=8k") == 0) {
        setGivenRuntimeFolder(QFile::decodeName(mountPoint));
        TQMInstances readOnly(QStringLiteral("NarrixReadOnly"));
        EXPECT_EQ(readOnly.lookup(), InstanceLookup::Unavailable);
        EXPECT_TRUE(readOnly.errorString().contains(QStringLiteral("NarrixReadOnly.lock")))
            << readOnly.errorString().toStdString();
        InstanceHandOver handOver(readOnly, registry, tray);
        EXPECT_FALSE(handOver.handOverToRunningInstance({QStringLiteral("/tmp/a.txt")}));
        EXPECT_EQ(handOver.problem(), readOnly.errorString());
        ::umount(mountPoint.constData());
    }
    setGivenRuntimeFolder(saved);
}

TEST(InstanceHandOver, TheRunningWindowSpeaksPassFileAndComesToTheFront)
{
    QTemporaryDir runtime;
    setGivenRuntimeFolder(runtime.path());
    testing::FakeSpeechEngine engine;
    testing::MemorySettingsStore registry; // shared by both instances, as the settings file is
    testing::FakePrompter prompter;
    FixedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    testing::FakeMainServices fake;
    TQMInstances firstInstances(QStringLiteral("NarrixHandOver"));
    ChromeTray tray;
    InstanceHandOver handOver(firstInstances, registry, tray);
    MainServices services = fake.services();
    services.tray = &tray;
    services.singleInstance = &handOver;
    services.windowParts = {&tray, &handOver};
    TfMain window(engine, registry, prompter, locale, services);
    window.FormCreate({});
    window.show();

    TQMInstances secondInstances(QStringLiteral("NarrixHandOver"));
    ChromeTray secondTray;
    InstanceHandOver second(secondInstances, registry, secondTray);
    const QString file = QStringLiteral("/tmp/handed over.txt");
    EXPECT_TRUE(second.handOverToRunningInstance({file, QStringLiteral("ignored")}));
    EXPECT_EQ(registry.value(QStringLiteral("PassFile")), file);
    QTRY_COMPARE(fake.retrieved, file);
    EXPECT_FALSE(window.isMinimized());

    // Without an argument the running window comes back from the minimised state.
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());
    EXPECT_TRUE(second.handOverToRunningInstance({}));
    QTRY_VERIFY(!window.isMinimized());
    EXPECT_FALSE(handOver.handOverToRunningInstance({file}));

    // --open and --import carry their file in the message; the running window opens or imports it.
    QStringList done;
    handOver.setFileHandlers({[&done](const QString& path) { done << QStringLiteral("open ") + path; },
                              [&done](const QString& path) { done << QStringLiteral("import ") + path; }});
    const QString document = QStringLiteral("/tmp/d\u00e9j\u00e0 vu.txt");
    second.setLaunchRequest({LaunchRequest::Kind::Open, document});
    EXPECT_TRUE(second.handOverToRunningInstance({}));
    second.setLaunchRequest({LaunchRequest::Kind::Import, QStringLiteral("/tmp/list.nxl")});
    EXPECT_TRUE(second.handOverToRunningInstance({}));
    QTRY_COMPARE(done.size(), 2);
    EXPECT_EQ(done,
              (QStringList{QStringLiteral("open ") + document, QStringLiteral("import /tmp/list.nxl")}));
    EXPECT_EQ(registry.value(QStringLiteral("PassFile")), file); // untouched by either
}

} // namespace
} // namespace narrix

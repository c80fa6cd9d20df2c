// The media player on a private session bus: its methods drive the reading commands (the engine's
// record), its properties follow the reading states and are announced with PropertiesChanged.
#include "desktop/mpris_player.h"

#include "app/tf_main.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_speech_engine.h"
#include "fakes/memory_settings_store.h"
#include "platform/locale_adapter.h"
#include "schedule/open_document.h"
#include "support/private_session_bus.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeSpeechEngine;

// An engine whose busy property and events follow its commands, as the real one's do.
class PlayingEngine final : public FakeSpeechEngine
{
public:
    void Speak(const QString& text) override
    {
        FakeSpeechEngine::Speak(text);
        busy = 1;
        QTimer::singleShot(0, this, [this] { Q_EMIT OnSpeakingStarted(); });
    }
    void Pause() override
    {
        FakeSpeechEngine::Pause();
        busy = 0;
    }
    void Resume() override
    {
        FakeSpeechEngine::Resume();
        busy = 1;
    }
    void StopSpeaking() override
    {
        FakeSpeechEngine::StopSpeaking();
        busy = 0;
        QTimer::singleShot(0, this, [this] { Q_EMIT OnSpeakingDone(); });
    }
};

class SavedDocument final : public OpenDocument
{
public:
    std::string name = "notes.txt";
    std::string title() const override { return name; }
    std::string path() const override { return "/home/reader/" + name; }
};

// What the desktop's media widget hears: the last value of each property PropertiesChanged named.
class ChangeListener : public QObject
{
    Q_OBJECT
public:
    QVariantMap latest;

public Q_SLOTS:
    void changed(const QString& interfaceName, const QVariantMap& properties, const QStringList&)
    {
        if (interfaceName != MprisPlayer::kPlayerInterface)
            return;
        for (auto property = properties.cbegin(); property != properties.cend(); ++property)
            latest.insert(property.key(), property.value());
    }
};

QVariantMap asMap(const QVariant& value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value.toMap();
}

class MprisPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
        server = QDBusConnection::connectToBus(bus.address(), QStringLiteral("mpris-server"));
        client = QDBusConnection::connectToBus(bus.address(), QStringLiteral("mpris-client"));
        ASSERT_TRUE(server.isConnected() && client.isConnected());
        ASSERT_TRUE(client.connect(QString(), MprisPlayer::kPath,
                                   QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"), &listener,
                                   SLOT(changed(QString, QVariantMap, QStringList))));
        player = std::make_unique<MprisPlayer>(server, document);
        MainServices services;
        services.plugins = {player.get()};
        window = std::make_unique<TfMain>(engine, store, prompter, locale, services);
        prompter.state = &window->state();
        window->FormCreate({});
        // On the first turn of the event loop.
        ASSERT_TRUE(QTest::qWaitFor([&] { return player->registered(); }));
    }
    void TearDown() override
    {
        window.reset();
        player.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("mpris-server"));
        QDBusConnection::disconnectFromBus(QStringLiteral("mpris-client"));
    }

    // Calls `method` the way a desktop does, from another connection, while this thread serves it.
    QDBusMessage call(const QString& interfaceName, const QString& method, const QVariantList& arguments = {})
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(MprisPlayer::kService, MprisPlayer::kPath, interfaceName, method);
        message.setArguments(arguments);
        return client.call(message, QDBus::BlockWithGui);
    }
    QDBusMessage callPlayer(const QString& method) { return call(MprisPlayer::kPlayerInterface, method); }
    QVariant property(const QString& name)
    {
        const QDBusMessage reply = call(QStringLiteral("org.freedesktop.DBus.Properties"),
                                        QStringLiteral("Get"), {MprisPlayer::kPlayerInterface, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    // The status read over the bus and the one last announced both become `status`.
    bool statusBecomes(const QString& status)
    {
        return QTest::qWaitFor([&] {
            return listener.latest.value(QStringLiteral("PlaybackStatus")) == status &&
                   property(QStringLiteral("PlaybackStatus")).toString() == status;
        });
    }

    testing::PrivateSessionBus bus;
    QDBusConnection server{QString()};
    QDBusConnection client{QString()};
    ChangeListener listener;
    SavedDocument document;
    PlayingEngine engine;
    testing::MemorySettingsStore store;
    testing::FakePrompter prompter;
    FixedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    std::unique_ptr<MprisPlayer> player;
    std::unique_ptr<TfMain> window;
};

TEST_F(MprisPlayerTest, AScheduledSpeechShowsAsPlayingAndOnlyStopReachesIt)
{
    ASSERT_TRUE(statusBecomes(QStringLiteral("Playing"))) << "the greeting is a scheduled speech";
    const QVariantMap metadata = asMap(property(QStringLiteral("Metadata")));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("Greetings"));
    EXPECT_FALSE(metadata.contains(QStringLiteral("xesam:url")));
    EXPECT_FALSE(property(QStringLiteral("CanPause")).toBool());

    window->editor()->setPlainText(QStringLiteral("A document waits."));
    for (const char* method : {"Play", "Pause", "PlayPause", "Next", "Previous"})
        callPlayer(QString::fromLatin1(method));
    EXPECT_EQ(engine.spoken, QStringList{QStringLiteral("Welcome to Narrix!")});
    EXPECT_TRUE(engine.calls.filter(QStringLiteral("Pause")).isEmpty())
        << engine.calls.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(engine.calls.filter(QStringLiteral("FastForward")).isEmpty());

    callPlayer(QStringLiteral("Stop"));
    EXPECT_TRUE(engine.calls.contains(QStringLiteral("Stop")));
    EXPECT_TRUE(statusBecomes(QStringLiteral("Stopped")));
}

TEST_F(MprisPlayerTest, MethodsDriveTheDocumentsReading)
{
    callPlayer(QStringLiteral("Stop")); // the greeting
    ASSERT_TRUE(statusBecomes(QStringLiteral("Stopped")));

    // An empty document: Play opens no quick start guide and speaks nothing.
    callPlayer(QStringLiteral("Play"));
    EXPECT_TRUE(prompter.dialogOpenModalDialogs.empty());
    EXPECT_EQ(engine.spoken.size(), 1);

    const QString text = QStringLiteral("One sentence. Another one. The last.");
    window->editor()->setPlainText(text);
    struct Step
    {
        const char* method;
        QString engineCall; // what the engine was last asked; empty: a new text
        QString status;
    };
    const Step steps[] = {
        {"PlayPause", {}, QStringLiteral("Playing")},
        {"Next", QStringLiteral("FastForward"), QStringLiteral("Playing")},
        {"Previous", QStringLiteral("Rewind"), QStringLiteral("Playing")},
        {"PlayPause", QStringLiteral("Pause"), QStringLiteral("Paused")},
        {"Play", QStringLiteral("Resume"), QStringLiteral("Playing")},
        {"Pause", QStringLiteral("Pause"), QStringLiteral("Paused")},
        {"PlayPause", QStringLiteral("Resume"), QStringLiteral("Playing")},
        {"Stop", QStringLiteral("Stop"), QStringLiteral("Stopped")},
        {"Play", {}, QStringLiteral("Playing")},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.method);
        engine.calls.clear();
        const qsizetype spokenBefore = engine.spoken.size();
        const QDBusMessage reply = callPlayer(QString::fromLatin1(step.method));
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
        if (step.engineCall.isEmpty()) {
            ASSERT_EQ(engine.spoken.size(), spokenBefore + 1);
            EXPECT_EQ(engine.spoken.last(), text);
        } else {
            EXPECT_EQ(engine.calls.value(engine.calls.size() - 1), step.engineCall);
            EXPECT_EQ(engine.spoken.size(), spokenBefore);
        }
        EXPECT_TRUE(statusBecomes(step.status))
            << property(QStringLiteral("PlaybackStatus")).toString().toStdString();
        // Moving by sentence is offered only while the document is heard.
        EXPECT_EQ(property(QStringLiteral("CanGoNext")).toBool(), step.status != QStringLiteral("Stopped"));
    }

    const QVariantMap metadata = asMap(property(QStringLiteral("Metadata")));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("notes.txt"));
    EXPECT_EQ(metadata.value(QStringLiteral("xesam:url")).toString(),
              QStringLiteral("file:///home/reader/notes.txt"));
    const auto announcedTitle = [this] {
        return asMap(listener.latest.value(QStringLiteral("Metadata"))).value(QStringLiteral("xesam:title"));
    };
    EXPECT_EQ(announcedTitle(), QStringLiteral("notes.txt"));

    // Another file opened: its title is announced before anything is read.
    callPlayer(QStringLiteral("Stop"));
    ASSERT_TRUE(statusBecomes(QStringLiteral("Stopped")));
    document.name = "letter.txt";
    window->editor()->setPlainText(QStringLiteral("Dear reader."));
    EXPECT_TRUE(QTest::qWaitFor([&] { return announcedTitle() == QStringLiteral("letter.txt"); }));
}

TEST_F(MprisPlayerTest, RaiseShowsTheWindowAndNoBusRegistersNothing)
{
    window->showMinimized();
    call(QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Raise"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->windowState().testFlag(Qt::WindowMinimized));

    MprisPlayer withoutBus(false, document);
    MainServices services;
    services.plugins = {&withoutBus};
    testing::FakeSpeechEngine otherEngine;
    TfMain other(otherEngine, store, prompter, locale, services);
    EXPECT_FALSE(withoutBus.registered());
}

} // namespace
} // namespace narrix

#include "mpris_player_test.moc"

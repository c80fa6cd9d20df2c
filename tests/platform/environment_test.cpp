#include "platform/environment.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <vector>

namespace narrix {
namespace {

// The process's environment with the program's variables replaced while it lives, then put back.
class ScopedVariables
{
public:
    ScopedVariables(std::initializer_list<std::pair<const char*, const char*>> values)
    {
        for (const char* name : kNames) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            qunsetenv(name);
        }
        for (const auto& [name, value] : values)
            qputenv(name, value);
    }
    ~ScopedVariables()
    {
        for (const Saved& variable : saved_) {
            if (variable.set)
                qputenv(variable.name, variable.value);
            else
                qunsetenv(variable.name);
        }
    }

private:
    static constexpr const char* kNames[] = {
        "NARRIX_DATA_DIR",      "XDG_RUNTIME_DIR",         "NARRIX_AUDIO",
        "NARRIX_SPEECH_LOG",    "NARRIX_CHANNEL_LIST_URL", "NARRIX_TRANSFER_DEADLINE_SECONDS",
        "NARRIX_STARTUP_PROBE", "NARRIX_REPORT_FILES",     "DBUS_SESSION_BUS_ADDRESS"};
    struct Saved
    {
        const char* name;
        QByteArray value;
        bool set;
    };
    std::vector<Saved> saved_;
};

TEST(Environment, NothingSetMeansTheUsualBehaviour)
{
    const ScopedVariables none({});
    const Environment environment = Environment::fromProcess();
    EXPECT_TRUE(environment.dataFolder.isEmpty());
    EXPECT_TRUE(environment.runtimeFolder.isEmpty());
    EXPECT_TRUE(environment.audio.isEmpty());
    EXPECT_TRUE(environment.speechLog.isEmpty());
    EXPECT_TRUE(environment.channelListAddress.isEmpty());
    EXPECT_EQ(environment.transferDeadline.count(), 0);
    EXPECT_FALSE(environment.startupProbe);
    EXPECT_FALSE(environment.reportFiles);
    EXPECT_FALSE(environment.sessionBus);
}

TEST(Environment, EveryVariableIsRead)
{
    const ScopedVariables all({{"NARRIX_DATA_DIR", "/data/narrix"},
                               {"XDG_RUNTIME_DIR", "/run/user/1000"},
                               {"NARRIX_AUDIO", " wav:/tmp/out.wav "},
                               {"NARRIX_SPEECH_LOG", "/tmp/speech.jsonl"},
                               {"NARRIX_CHANNEL_LIST_URL", " http://127.0.0.1:8080/list.nxl "},
                               {"NARRIX_TRANSFER_DEADLINE_SECONDS", "7"},
                               {"NARRIX_STARTUP_PROBE", "1"},
                               {"NARRIX_REPORT_FILES", ""},
                               {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus"}});
    const Environment environment = Environment::fromProcess();
    EXPECT_EQ(environment.dataFolder, QStringLiteral("/data/narrix"));
    EXPECT_EQ(environment.runtimeFolder, QStringLiteral("/run/user/1000"));
    EXPECT_EQ(environment.audio, QStringLiteral("wav:/tmp/out.wav"));
    EXPECT_EQ(environment.speechLog, QStringLiteral("/tmp/speech.jsonl"));
    EXPECT_EQ(environment.channelListAddress, QStringLiteral("http://127.0.0.1:8080/list.nxl"));
    EXPECT_EQ(environment.transferDeadline.count(), 7);
    EXPECT_TRUE(environment.startupProbe);
    EXPECT_TRUE(environment.reportFiles) << "set, even empty, asks for the report";
    EXPECT_TRUE(environment.sessionBus);
}

TEST(Environment, EmptyOrUnusableValuesCountAsUnset)
{
    struct Case
    {
        const char* deadline;
        long long seconds;
    };
    for (const Case& c : {Case{"0", 0}, Case{"-5", 0}, Case{"ten", 0}, Case{"", 0}, Case{"600", 600}}) {
        const ScopedVariables some({{"NARRIX_TRANSFER_DEADLINE_SECONDS", c.deadline},
                                    {"NARRIX_STARTUP_PROBE", ""},
                                    {"DBUS_SESSION_BUS_ADDRESS", ""}});
        const Environment environment = Environment::fromProcess();
        EXPECT_EQ(environment.transferDeadline.count(), c.seconds) << c.deadline;
        EXPECT_FALSE(environment.startupProbe);
        EXPECT_FALSE(environment.sessionBus);
    }
}

} // namespace
} // namespace narrix

// The main window loads schedule.nxl from the program's folder at start-up and saves it at shutdown.
#include "app/tf_main.h"
#include "base/error_hook.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_speech_engine.h"
#include "fakes/memory_settings_store.h"
#include "platform/data_folder.h"
#include "platform/locale_adapter.h"
#include "schedule/schedule_list_model.h"

#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace narrix {
namespace {

class ScheduleListStartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        setGivenDataFolder(dir.path());
        setErrorSinkForTesting([this](const QString& where, const QString& message) {
            errors << where + QStringLiteral(": ") + message;
        });
    }
    void TearDown() override
    {
        setErrorSinkForTesting(nullptr);
        setGivenDataFolder({});
    }

    std::filesystem::path listFile() const
    {
        return std::filesystem::path(dir.path().toStdString()) / "schedule.nxl";
    }

    std::string listText() const
    {
        std::ifstream in(listFile(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::unique_ptr<TfMain> start()
    {
        auto window = std::make_unique<TfMain>(engine, store, prompter, locale);
        prompter.state = &window->state();
        window->FormCreate({});
        return window;
    }

    QTemporaryDir dir;
    testing::FakeSpeechEngine engine;
    testing::MemorySettingsStore store;
    testing::FakePrompter prompter;
    FixedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    QStringList errors;
};

TEST_F(ScheduleListStartupTest, ABrokenSettingLeavesTheListAsItWas)
{
    // A setting that does not parse ends the start-up before the list is read: the shutdown must not
    // save the empty list over the user's file.
    const std::string text = "[Morning Paper]\r\nGeneral=07:30 - Daily\r\nChecked=True\r\n";
    std::ofstream(listFile(), std::ios::binary) << text;
    for (const char16_t* broken : {u"FontSize", u"Speed"}) {
        store.values.clear();
        store.values.insert(QString::fromUtf16(broken), QStringLiteral("9.5"));
        auto window = start();
        ASSERT_TRUE(window->startUpIncomplete());
        EXPECT_EQ(window->scheduleItems().size(), 0);
        window->FormDestroy();
        EXPECT_EQ(listText(), text);
    }
}

TEST_F(ScheduleListStartupTest, LoadsAtStartUpAndSavesAtShutdown)
{
    std::ofstream(listFile(), std::ios::binary)
        << "[Morning Paper]\r\nGeneral=07:30 - Daily\r\nChecked=True\r\n"
           "[Weather]\r\nGeneral=08:00 - Weekly\r\nChecked=False\r\n";
    auto window = start();
    ScheduleListModel& items = window->scheduleItems();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(window->scheduleList()->model(), &items);
    EXPECT_EQ(items.item(0).title, "Morning Paper");
    EXPECT_TRUE(items.item(0).ticked);
    EXPECT_FALSE(items.item(1).ticked);

    items.setTicked(0, false);
    window->FormDestroy();
    const std::string saved = listText();
    EXPECT_TRUE(saved.starts_with("[Morning Paper]\r\nGeneral=07:30 - Daily\r\n")) << saved;
    EXPECT_NE(
        saved.find("[Morning Paper]\r\nGeneral=07:30 - Daily\r\nFileName=\r\nFrequence=0\r\nTime=00:00\r\n"
                   "Day=0\r\nDate=1\r\nMonth=0\r\nLastRun=Never\r\nChecked=False\r\n"),
        std::string::npos)
        << saved;
    struct stat info = {};
    ASSERT_EQ(::stat(listFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ScheduleListStartupTest, NoListFileMeansAnEmptyListAndNoFileWritten)
{
    auto window = start();
    EXPECT_EQ(window->scheduleItems().size(), 0);
    window->FormDestroy();
    EXPECT_FALSE(std::filesystem::exists(listFile()));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ScheduleListStartupTest, AListFileThatCannotBeReadIsNeverWrittenOver)
{
    std::filesystem::create_directory(listFile());
    std::ofstream(listFile() / "keep") << "x";
    auto window = start();
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_TRUE(errors.front().startsWith(QStringLiteral("LoadScheduleList: Unable to read ")))
        << errors.front().toStdString();
    ScheduleItem added;
    added.title = "Added";
    window->scheduleItems().appendItem(added);
    window->FormDestroy();
    EXPECT_TRUE(std::filesystem::exists(listFile() / "keep"));
    EXPECT_TRUE(errors.back().startsWith(QStringLiteral("SaveScheduleList: ")))
        << errors.back().toStdString();
}

} // namespace
} // namespace narrix

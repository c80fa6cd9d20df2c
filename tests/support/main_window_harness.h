#pragma once

#include "app/tf_main.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_speech_engine.h"
#include "fakes/memory_settings_store.h"
#include "platform/locale_adapter.h"

#include <QLocale>
#include <QStringList>
#include <memory>

namespace narrix::testing {

// What the main window's tests build it over: a fake engine, settings in memory, a recording
// prompter (FakePrompter or a test's own kind of it) and the locale pinned to US English. A test
// fixture derives from it and keeps its window in a member declared after its plugins, so that the
// window goes first and these outlive it.
template <class Prompter = FakePrompter> class MainWindowHarness
{
protected:
    // A new window over the fakes with `services` plugged in; the prompter answers for its state.
    std::unique_ptr<TfMain> newWindow(const MainServices& services = {})
    {
        auto window = std::make_unique<TfMain>(engine, store, prompter, locale, services);
        prompter.state = &window->state();
        return window;
    }
    // The same after its start-up with `arguments` (the command line) has run.
    std::unique_ptr<TfMain> startedWindow(const MainServices& services = {},
                                          const QStringList& arguments = {})
    {
        auto window = newWindow(services);
        window->FormCreate(arguments);
        return window;
    }

    FakeSpeechEngine engine;
    MemorySettingsStore store;
    Prompter prompter;
    FixedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
};

} // namespace narrix::testing

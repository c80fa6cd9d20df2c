#pragma once

#include <string>

namespace narrix {

enum class WindowStartState { Normal, Minimized, Maximized };

// Program-wide run-time state held by the main window and shared by reference with the subsystems.
// The settings record (what is stored between runs) is separate: see Settings.
struct ProgramState
{
    // Start-up and shutdown.
    bool startingUp = false; // timers, hand-overs and tray clicks do nothing while set
    bool earlyExit = false;  // this instance handed over to a running one
    bool firstRun = false;   // FontCharset was empty
    bool englishLocale = false;
    WindowStartState stateBeforeStartMinimized = WindowStartState::Normal;
    bool minimized = false;
    bool exitWhenDone = false;
    int openModalDialogs = 0; // while above 0, some closes and come-to-front requests wait
    int minSpeed = 0;
    int maxSpeed = 0;

    // Transfers.
    bool networkBusy = false;
    bool cancelRequested = false;

    // Reading control.
    std::string speechBuffer; // UTF-8; SpeakBuffer empties it
    int currentSource = 0;    // 0 none, 1 real-time, 2 clipboard, 3 time/date, 4 document, 5 scheduled
    bool speaking = false;    // between the engine's speaking-started and speaking-done events
    std::string currentTitle; // title of the running item; "Greetings" for the greeting
    bool attribChangeEnabled = true;
};

} // namespace narrix

#pragma once

#include "settings/window_start_state.h"
#include "speech/reading_state.h"

namespace narrix {

// Program-wide run-time state held by the main window and shared by reference with the subsystems.
// The settings record (what is stored between runs) is separate: see Settings.
struct ProgramState
{
    // Start-up and shutdown.
    bool startingUp = false; // timers, hand-overs and tray clicks do nothing while set
    bool earlyExit = false;  // this instance handed over to a running one
    bool firstRun = false;   // FontCharset was empty
    WindowStartState stateBeforeStartMinimized = WindowStartState::Normal;
    bool minimized = false;
    int openModalDialogs = 0; // while above 0, some closes and come-to-front requests wait

    // Reading control: the speech text buffer, the current source, the speaking flag and the rest.
    ReadingState reading;
};

} // namespace narrix

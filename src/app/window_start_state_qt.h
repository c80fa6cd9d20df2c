#pragma once

#include "app/program_state.h"

#include <QWidget>

namespace narrix {

// The window's own state in the program's terms: minimised wins over maximised.
inline WindowStartState windowStartStateOf(const QWidget& window)
{
    const Qt::WindowStates states = window.windowState();
    if (states & Qt::WindowMinimized)
        return WindowStartState::Minimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return WindowStartState::Maximized;
    return WindowStartState::Normal;
}

inline Qt::WindowStates qtWindowStates(WindowStartState state)
{
    switch (state) {
    case WindowStartState::Minimized:
        return Qt::WindowMinimized;
    case WindowStartState::Maximized:
        return Qt::WindowMaximized;
    case WindowStartState::Normal:
        break;
    }
    return Qt::WindowNoState;
}

} // namespace narrix

#pragma once

namespace narrix {

// How the window starts: stored in the settings and kept by the window while it runs.
enum class WindowStartState { Normal, Minimized, Maximized };

} // namespace narrix

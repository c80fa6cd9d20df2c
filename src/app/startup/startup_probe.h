#pragma once

class QWidget;

namespace narrix {

// Reports "shown after N ms" in the "narrix" logging category (on
// stderr as "narrix: shown after N ms") once the window has been shown and its first events
// processed (N counts from process start). Benchmarks and end-to-end tests wait for this line;
// main installs it only when NARRIX_STARTUP_PROBE is set.
void installStartupProbe(QWidget& window);

} // namespace narrix

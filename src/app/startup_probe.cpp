#include "app/startup_probe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace narrix {
namespace {

// Milliseconds since the process started, from the kernel's record of the start time.
double msSinceProcessStart()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    std::FILE* stat = std::fopen("/proc/self/stat", "r");
    if (stat == nullptr)
        return -1;
    char buffer[1024] = {};
    const size_t length = std::fread(buffer, 1, sizeof buffer - 1, stat);
    std::fclose(stat);
    buffer[length] = '\0';
    // Field 22 (starttime, in clock ticks since boot) counts from after the ")" closing field 2.
    const char* at = std::strrchr(buffer, ')');
    if (at == nullptr)
        return -1;
    int field = 2;
    unsigned long long startTicks = 0;
    for (const char* p = at + 1; *p != '\0'; ++p) {
        if (*p == ' ' && ++field == 22) {
            startTicks = std::strtoull(p + 1, nullptr, 10);
            break;
        }
    }
    const double ticksPerSecond = double(sysconf(_SC_CLK_TCK));
    const double startMs = double(startTicks) * 1000.0 / ticksPerSecond;
    const double nowMs = double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
    return nowMs - startMs;
}

class ShownFilter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            // After the events queued by the show (layout, first paint) have been handled.
            QTimer::singleShot(0, this, [this] {
                std::fprintf(stderr, "narrix: shown after %.1f ms\n", msSinceProcessStart());
                std::fflush(stderr);
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

void installStartupProbe(QWidget& window)
{
    if (qEnvironmentVariableIsEmpty("NARRIX_STARTUP_PROBE"))
        return;
    window.installEventFilter(new ShownFilter(&window));
}

} // namespace narrix

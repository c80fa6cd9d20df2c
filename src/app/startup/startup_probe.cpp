#include "app/startup/startup_probe.h"

#include "base/diagnostics.h"
#include "base/process_clock.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace narrix {
namespace {

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
                qCInfo(lcNarrix, "shown after %.1f ms", processAgeMilliseconds());
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

void installStartupProbe(QWidget& window)
{
    window.installEventFilter(new ShownFilter(&window));
}

} // namespace narrix

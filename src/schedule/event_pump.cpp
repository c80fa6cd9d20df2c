#include "schedule/event_pump.h"

#include <QCoreApplication>

namespace narrix {

void EventPump::pump()
{
    if (last_.isValid() && last_.elapsed() < kInterval.count())
        return;
    QCoreApplication::processEvents();
    last_.start();
}

} // namespace narrix

#include "event_waiter.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace marvesto {

void WaitProcessingEvents(std::chrono::milliseconds duration) {
    // Made before the timer, so it has expired by the time the timer fires.
    const QDeadlineTimer deadline(duration, Qt::PreciseTimer);
    QEventLoop loop;
    QTimer::singleShot(duration, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    // Only the program's end makes a local event loop return before its
    // timer: told during the wait or before it, Qt ends every such loop.
    if (!deadline.hasExpired()) {
        throw ProgramClosed();
    }
}

} // namespace marvesto

#include "event_waiter.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace marvesto {

void WaitProcessingEvents(std::chrono::milliseconds duration) {
    const QDeadlineTimer deadline(duration, Qt::PreciseTimer);
    QEventLoop loop;
    QTimer::singleShot(duration, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    // Once the program has been told to end, a local event loop returns at
    // once; the rest of the time is slept rather than spun.
    if (!deadline.hasExpired()) {
        QThread::msleep(static_cast<unsigned long>(deadline.remainingTime()));
    }
}

} // namespace marvesto

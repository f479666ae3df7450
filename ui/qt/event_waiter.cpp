#include "event_waiter.h"

#include <QEventLoop>
#include <QTimer>

namespace marvesto {

void WaitProcessingEvents(std::chrono::milliseconds duration) {
    QEventLoop loop;
    bool waitedOut = false;
    QTimer::singleShot(duration, Qt::PreciseTimer, &loop, [&loop, &waitedOut] {
        waitedOut = true;
        loop.quit();
    });
    loop.exec();
    // Only the program's end makes a local event loop return before its
    // timer: told during the wait or before it, Qt ends every such loop.
    if (!waitedOut) {
        throw ProgramClosed();
    }
}

} // namespace marvesto

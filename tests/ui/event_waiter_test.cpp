// The wait that keeps the window painting while a cue plays: it lasts its
// whole time, handles the events that come meanwhile, sleeps rather than
// spinning, and ends the waiting call once the program has been told to end.
// Qt's headers come first: moc reads these includes without the compiler's
// predefined macros, and <chrono> (through event_waiter.h) parses only after
// another standard header has set up the library's configuration.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "event_waiter.h"
#include "suites.h"

#include <ctime>

using namespace marvesto;

namespace {

constexpr int kWaitMilliseconds = 300;

// The processor time this process has used, in milliseconds.
double ProcessorMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Measured {
    qint64 wallMilliseconds;
    double processorMilliseconds;
};

Measured MeasureWait() {
    QElapsedTimer wall;
    const double processorBefore = ProcessorMilliseconds();
    wall.start();
    WaitProcessingEvents(std::chrono::milliseconds(kWaitMilliseconds));
    return {wall.elapsed(), ProcessorMilliseconds() - processorBefore};
}

} // namespace

class EventWaiterTest : public QObject {
    Q_OBJECT

private slots:
    // A cue that ended early or late would cut or stretch the sound; a
    // spinning wait would burn a whole core for every cue.
    void waitsTheWholeTimeAsleep() {
        const Measured wait = MeasureWait();
        QVERIFY2(wait.wallMilliseconds >= kWaitMilliseconds - 1,
                 qPrintable(QString::number(wait.wallMilliseconds)));
        QVERIFY2(wait.processorMilliseconds < kWaitMilliseconds / 3.0,
                 qPrintable(QString::number(wait.processorMilliseconds)));
    }

    void handlesEventsThatComeMeanwhile() {
        int fired = 0;
        QTimer::singleShot(10, [&fired] { ++fired; });
        QTimer::singleShot(50, [&fired] { ++fired; });
        WaitProcessingEvents(std::chrono::milliseconds(100));
        QCOMPARE(fired, 2);
    }

    // A close request during a cue must end the program then, not when the
    // cue is over, whether it came before the wait or during it.
    void throwsProgramClosedOnceTheProgramIsToldToEnd_data() {
        QTest::addColumn<int>("toldAfterMilliseconds");
        QTest::newRow("during the wait") << 10;
        QTest::newRow("before it") << -1;
    }
    void throwsProgramClosedOnceTheProgramIsToldToEnd() {
        QFETCH(int, toldAfterMilliseconds);
        if (toldAfterMilliseconds < 0) {
            QCoreApplication::exit(0);
        } else {
            QTimer::singleShot(toldAfterMilliseconds, [] { QCoreApplication::exit(0); });
        }
        QElapsedTimer wall;
        wall.start();
        QVERIFY_THROWS_EXCEPTION(ProgramClosed, MeasureWait());
        QCOMPARE_LT(wall.elapsed(), kWaitMilliseconds / 2);
        // Running the application's loop once clears the request to end.
        QTimer::singleShot(0, [] { QCoreApplication::quit(); });
        QCoreApplication::exec();
    }
};

MARVESTO_TEST_SUITE(EventWaiterTest)
#include "event_waiter_test.moc"

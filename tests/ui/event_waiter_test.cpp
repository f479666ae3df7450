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

constexpr int kWaitMilliseconds = 300;

class EventWaiterTest : public QObject {
    Q_OBJECT

private slots:
    // A cue that ended early or late would cut or stretch the sound; a
    // spinning wait would burn a whole core for every cue.
    void waitsTheWholeTimeAsleepHandlingEvents() {
        int fired = 0;
        QTimer::singleShot(10, [&fired] { ++fired; });
        QTimer::singleShot(50, [&fired] { ++fired; });
        QElapsedTimer wall;
        const std::clock_t processorBefore = std::clock();
        wall.start();
        WaitProcessingEvents(std::chrono::milliseconds(kWaitMilliseconds));
        const qint64 waited = wall.elapsed();
        const double processorMilliseconds =
            static_cast<double>(std::clock() - processorBefore) * 1000.0 / CLOCKS_PER_SEC;
        QCOMPARE(fired, 2);
        QVERIFY2(waited >= kWaitMilliseconds - 1, qPrintable(QString::number(waited)));
        QVERIFY2(processorMilliseconds < kWaitMilliseconds / 3.0,
                 qPrintable(QString::number(processorMilliseconds)));
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
        QVERIFY_THROWS_EXCEPTION(
            ProgramClosed, WaitProcessingEvents(std::chrono::milliseconds(kWaitMilliseconds)));
        QCOMPARE_LT(wall.elapsed(), kWaitMilliseconds / 2);
        // Running the application's loop once clears the request to end.
        QTimer::singleShot(0, [] { QCoreApplication::quit(); });
        QCoreApplication::exec();
    }
};

MARVESTO_TEST_SUITE(EventWaiterTest)
#include "event_waiter_test.moc"

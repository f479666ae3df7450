// The driver's rules through the Qt window: a real cue on SDL's dummy driver
// keeps Qt's event loop turning inside a game call, and the window's close,
// its keys and a screen reader's press reach the driver then. The rules
// themselves are tested without a toolkit (tests/rules).
// Qt's headers come first: moc reads this file without the compiler's
// predefined macros, and <chrono> (through event_waiter.h) parses only once
// they have set up the library's configuration.
#include <QAccessible>
#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "event_waiter.h"
#include "sdl_cue_player.h"
#include "suites.h"
#include "test_wav.h"
#include "window_rig.h"

#include <algorithm>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;
using namespace std::chrono_literals;

namespace {

constexpr auto kLongCue = 5000ms;

} // namespace

class GameDriverTest : public QObject {
    Q_OBJECT

private slots:
    // The close control a tenth of a second into a cue ends the program at
    // once: the cue, five seconds on SDL's dummy driver, is cut short, and
    // nothing the interrupted call had still to do happens.
    void closeDuringACueEndsTheProgramAtOnce_data() {
        QTest::addColumn<QString>("cue");
        QTest::newRow("intro") << "INTRO.wav";
        QTest::newRow("dial") << "DIAL.wav";
        QTest::newRow("deal") << "DEAL.wav";
        QTest::newRow("end") << "END.wav";
    }
    void closeDuringACueEndsTheProgramAtOnce() {
        QFETCH(QString, cue);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString original = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const auto restore = qScopeGuard([&original] { QDir::setCurrent(original); });
        WriteToneWav(cue.toStdString(), kLongCue);
        qputenv("SDL_AUDIODRIVER", "dummy");
        SdlCuePlayer player(WaitProcessingEvents);
        WindowRig play(&player);
        play.rig.ScriptPrizes(WorkedExample());
        play.Start();
        const std::string cueEntry = "cue " + cue.toStdString();
        QElapsedTimer sinceClose;
        // A tenth of a second into the cue, once it has started.
        play.rig.log.watch = [&play, &cueEntry, &sinceClose](const std::string& entry) {
            if (entry == cueEntry) {
                QTimer::singleShot(100, &play.window, [&play, &sinceClose] {
                    sinceClose.start();
                    play.window.close();
                });
            }
        };
        // Every cue before the one closed in is missing, so silent; what
        // follows the close does nothing.
        play.Click(Control::Command(1));
        play.ClickNext(kClicksToFirstOffer - 1);
        play.Click(kDeal);
        play.Click(kEnd);
        play.Click(Control::Command(20));
        const Entries& log = play.rig.log.All();
        const auto cueAt = std::find(log.begin(), log.end(), cueEntry);
        QVERIFY(cueAt != log.end());
        QCOMPARE(Entries(cueAt + 1, log.end()), Entries{"exit 0"});
        QVERIFY2(sinceClose.elapsed() < kLongCue.count() / 2, "the cue played on after the close");
        QCOMPARE(play.exit.Status(), 0);
    }

    // A deal, by a click, by D or by a screen reader's press, acts only on a
    // DEAL shown when it is made and still shown when it is handled: before
    // any offer and during the dial it does nothing, though DEAL is shown by
    // the time it is handled, and a second one during the deal cue does not
    // deal twice.
    void dealActsOnlyOnADealShown_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("click") << 0;
        QTest::newRow("D key") << 1;
        QTest::newRow("screen reader's press") << 2;
    }
    void dealActsOnlyOnADealShown() {
        QFETCH(int, way);
        WindowRig play;
        play.rig.ScriptPrizes(WorkedExample());
        play.Start();
        const auto deal = [&play, way] {
            if (way == 0) {
                play.Click(kDeal);
            } else if (way == 1) {
                play.Key(Qt::Key_D);
            } else {
                QAccessible::queryAccessibleInterface(play.Widget(kDeal))
                    ->actionInterface()
                    ->doAction(QAccessibleActionInterface::pressAction());
            }
        };
        deal();
        QCOMPARE(play.rig.log.All().back(), std::string("prepare sound"));
        play.rig.cues.whilePlaying = [&deal](const std::string& cue) {
            if (cue == "DIAL.wav" || cue == "DEAL.wav") {
                deal();
            }
        };
        play.ClickNext(kClicksToFirstOffer);
        QVERIFY(play.Widget(kDeal)->isVisible());
        deal();
        QCOMPARE(std::ranges::count(play.rig.log.All(), "cue DEAL.wav"), 1);
        QCOMPARE(std::ranges::count(play.rig.log.All(),
                                    "caption Label34 [               YOU WIN!! $ 16356]"),
                 1);
        QCOMPARE(play.ShownControls(), FinalScreenControls());
    }
};

MARVESTO_TEST_SUITE(GameDriverTest)
#include "game_driver_test.moc"

// The one-call-at-a-time rule between the window and the game. A sound cue
// keeps the event loop turning inside a game call, and clicks and close
// requests can arrive then; the fake cue player here makes them arrive.
#include "wired_game.h"

#include "event_waiter.h"
#include "run_time_error.h"

#include <QTest>

#include <algorithm>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;
using namespace std::chrono_literals;

namespace {

const std::vector<int> kWorkedExample{4, 12, 21, 5, 23, 2, 26, 1, 8, 19, 16};

// What the first click of the worked example on CASE 1 does after its cue.
const CallLog kFirstClick{"hide Label27", "hide Command1",
                          "show Label30", "caption Label30 [CASE  1]",
                          "hide Label29", "hide Label28"};

CallLog Joined(std::initializer_list<CallLog> parts) {
    CallLog joined;
    for (const CallLog& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

CallLog CaseClick(int k, int prize) {
    return {"hide Label27", "hide Command" + std::to_string(k),
            "hide Label" + std::to_string(prize), "hide Label28"};
}

// A store whose file cannot be read at all.
class BrokenStore : public HighScoreStore {
public:
    float Load() override { throw RunTimeError("Bad file name or number"); }
    void Save(Currency) override {}
};

} // namespace

class GameDriverTest : public QObject {
    Q_OBJECT

private slots:
    // Clicks made during a cue are handled after the running call, in order.
    void clicksDuringACueWaitForTheRunningCall() {
        WiredGame play;
        play.ScriptPrizes(kWorkedExample);
        play.Start();
        play.cues.whilePlaying = [&play](const std::string& cue) {
            if (cue == "INTRO.wav") {
                play.Click("Command3");
                play.Click("Command2");
                WaitProcessingEvents(20ms);
                play.log.push_back("cue over");
            }
        };
        const auto start = play.log.size();
        play.Click("Command1");
        const CallLog expected = Joined(
            {{"cue INTRO.wav", "cue over"}, kFirstClick, CaseClick(3, 12), CaseClick(2, 21)});
        QCOMPARE(play.LogFrom(start), expected);
    }

    // The close control during a cue lets the running call finish, then ends
    // the program before any click that came after it.
    void closeDuringACueEndsTheProgramWhenTheCallReturns() {
        WiredGame play;
        play.ScriptPrizes(kWorkedExample);
        play.Start();
        play.cues.whilePlaying = [&play](const std::string&) {
            play.window.close();
            play.log.push_back("close asked");
            play.Click("Command2");
            WaitProcessingEvents(20ms);
        };
        const auto start = play.log.size();
        play.Click("Command1");
        const CallLog expected =
            Joined({{"cue INTRO.wav", "close asked"}, kFirstClick, {"exit 0"}});
        QCOMPARE(play.LogFrom(start), expected);
        play.Click("Command3");
        QCOMPARE(play.LogFrom(start), expected);
    }

    void closeBetweenCallsEndsTheProgramAtOnce() {
        WiredGame play;
        play.ScriptPrizes(kWorkedExample);
        play.Start();
        const auto start = play.log.size();
        play.window.close();
        QCOMPARE(play.LogFrom(start), CallLog{"exit 0"});
        play.Click("Command1");
        QCOMPARE(play.LogFrom(start), CallLog{"exit 0"});
    }

    // DEAL is hidden by the time a second click on it comes through, so it
    // deals only once.
    void secondDealClickDuringTheDealCueDealsOnce() {
        WiredGame play;
        play.ScriptPrizes(kWorkedExample);
        play.Start();
        for (int k = 1; k <= 6; ++k) {
            play.Click(QStringLiteral("Command%1").arg(k));
        }
        play.cues.whilePlaying = [&play](const std::string& cue) {
            if (cue == "DEAL.wav") {
                play.Click("Label28");
            }
        };
        play.Click("Label28");
        QCOMPARE(std::count(play.log.begin(), play.log.end(), "cue DEAL.wav"), 1);
        QCOMPARE(std::count(play.log.begin(), play.log.end(),
                            "caption Label34 [               YOU WIN!! $ 16356]"),
                 1);
        QCOMPARE(play.ShownControls(),
                 QStringList({"Label30", "Label31", "Label32", "Label33", "Label34", "Label44"}));
    }

    void errorEscapingAClickIsReportedAndEndsWithFailure_data() {
        QTest::addColumn<bool>("randomBreaksItsPromise");
        QTest::addColumn<std::string>("report");
        QTest::newRow("run-time error")
            << true << std::string("report The random source gave a value outside [0, 1)");
        QTest::newRow("any other exception")
            << false << std::string("report the scripted random values ran out");
    }

    // A click queued during the failing call is dropped, and later clicks do
    // nothing: the program is over.
    void errorEscapingAClickIsReportedAndEndsWithFailure() {
        QFETCH(bool, randomBreaksItsPromise);
        QFETCH(std::string, report);
        WiredGame play;
        if (randomBreaksItsPromise) {
            play.random.Add(1.0);
        }
        play.Start();
        play.cues.whilePlaying = [&play](const std::string&) { play.Click("Command2"); };
        const auto start = play.log.size();
        play.Click("Command1");
        const CallLog expected{"cue INTRO.wav", "hide Label27", "hide Command1", report, "exit 1"};
        QCOMPARE(play.LogFrom(start), expected);
        QCOMPARE(play.exit.Status(), 1);
        const auto ended = play.log.size();
        play.Click("Command3");
        QCOMPARE(play.log.size(), ended);
    }

    void errorAtStartUpIsReportedAndEndsBeforeTheWindowShows() {
        CallLog log;
        MarvestoWindow window;
        LoggingBoard board(window, log);
        RecordingCues cues(log);
        BrokenStore store;
        ScriptedRandom random(log);
        ProgramExit exit([&log](int status) { log.push_back("exit " + std::to_string(status)); });
        Game game(GameServices{board, cues, store, random, exit});
        GameDriver driver(window, game, exit, [&log](const std::string& message) {
            log.push_back("report " + message);
        });
        driver.FormLoad();
        QCOMPARE(log, (CallLog{"report Bad file name or number", "exit 1"}));
        QVERIFY(exit.Ended());
        QCOMPARE(exit.Status(), 1);
    }
};

QTEST_MAIN(GameDriverTest)
#include "game_driver_test.moc"

// The first click chooses the own case, every later click draws a prize never
// drawn before and strikes it off the ladder.
#include "game_rig.h"
#include "prize_ladder.h"

#include "suites.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

int VisibleLadderLabels(const GameRig& rig) {
    int visible = 0;
    for (int p = 1; p <= kPrizeCount; ++p) {
        visible += rig.board.IsShown(Control::Label(p)) ? 1 : 0;
    }
    return visible;
}

} // namespace

class CaseOpeningTest : public QObject {
    Q_OBJECT

private slots:
    void startUpLeavesTheGameWaitingForTheFirstPick() {
        GameRig rig;
        rig.Start();
        const GameState& state = rig.game.State();
        QCOMPARE(state.PickCount, std::int16_t{1});
        QCOMPARE(state.ChosenCase, std::int16_t{0});
        QCOMPARE(state.OwnPrize, std::int16_t{0});
        for (int k = 1; k <= kCaseCount; ++k) {
            QCOMPARE(state.CaseClosed[k], std::int16_t{1});
        }
    }

    void firstClickChoosesTheOwnCase() {
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes({4});
        const auto start = rig.log.Size();
        rig.Click({7});

        const Entries expected{
            "cue INTRO.wav",
            "hide Label27",
            "hide Command7",
            "show Label30",
            "caption Label30 [CASE  7]",
            "hide Label29",
            "hide Label28",
        };
        QCOMPARE(rig.log.From(start), expected);
        const GameState& state = rig.game.State();
        QCOMPARE(state.PickCount, std::int16_t{2});
        QCOMPARE(state.ChosenCase, std::int16_t{7});
        QCOMPARE(state.OwnPrize, std::int16_t{4});
        QCOMPARE(state.DrawnPrizes[3], std::int16_t{4});
        QCOMPARE_EQ(state.BankPool, 490000.0F);
        QCOMPARE(state.Winnings, Currency::FromScaled(500000000));
        QCOMPARE(state.RevealArmed, std::int16_t{1});
        QCOMPARE(state.CaseClosed[7], std::int16_t{0});
        QCOMPARE(VisibleLadderLabels(rig), 26);
    }

    void ownCaseOfFiftyCentsIsWorthHalfADollar() {
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes({26});
        rig.Click({26});
        QCOMPARE(rig.game.State().Winnings, Currency::FromScaled(5000));
        QCOMPARE(rig.board.Caption(kOwnCase), std::string("CASE  26"));
    }

    void laterClicksPlayNoCueAndStrikeTheirPrize() {
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes({1, 26});
        rig.Click({1});
        const auto start = rig.log.Size();
        rig.Click({26});
        const Entries expected{"hide Label27", "hide Command26", "hide Label26", "hide Label28"};
        QCOMPARE(rig.log.From(start), expected);
        QVERIFY(rig.board.IsShown(Control::Label(1)));
        QCOMPARE(rig.game.State().OwnPrize, std::int16_t{1});
    }

    void aValueJustBelowOneDrawsTheLastPrize() {
        GameRig rig;
        rig.Start();
        rig.random.Add(std::nextafter(1.0, 0.0));
        QCOMPARE(DrawPrizeIndex(rig.random), std::int16_t{26});
        rig.random.Add(0.0);
        QCOMPARE(DrawPrizeIndex(rig.random), std::int16_t{1});
    }

    void duplicatesAreDrawnAgainOneValuePerAttempt() {
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes({5});
        rig.Click({1});
        // Prize 5 is already out: two repeats of it before a new prize comes.
        rig.random.Add(ValueForPrize(5));
        rig.random.Add(ValueForPrize(5));
        rig.random.Add(ValueForPrize(9));
        const auto consumedBefore = rig.random.Consumed();
        rig.Click({2});
        QCOMPARE(rig.random.Consumed() - consumedBefore, std::size_t{3});
        QCOMPARE(rig.game.State().DrawnPrizes[4], std::int16_t{9});
        QCOMPARE(rig.game.State().DrawnPrize, std::int16_t{9});
        QVERIFY(rig.board.IsShown(Control::Label(5)));
        QVERIFY(!rig.board.IsShown(Control::Label(9)));
    }

    // Slots 0..2 stay empty, click n goes to slot n + 2, each prize once, and
    // after click n exactly 27 - n ladder labels remain.
    void everyClickStoresItsPrizeInItsOwnSlot() {
        GameRig rig;
        rig.Start();
        std::vector<int> prizes(26);
        std::iota(prizes.begin(), prizes.end(), 1);
        std::reverse(prizes.begin(), prizes.end());
        rig.ScriptPrizes(prizes);
        for (int n = 1; n <= 25; ++n) {
            rig.ClickNext(1);
            QCOMPARE(rig.game.State().DrawnPrizes[n + 2], std::int16_t(prizes[n - 1]));
            QCOMPARE(VisibleLadderLabels(rig), 27 - n);
        }
        rig.ClickNext(1);
        const GameState& state = rig.game.State();
        for (int slot : {0, 1, 2, 29, 30}) {
            QCOMPARE(state.DrawnPrizes[slot], std::int16_t{0});
        }
        std::vector<int> stored;
        for (int slot = 3; slot <= 28; ++slot) {
            stored.push_back(state.DrawnPrizes[slot]);
        }
        QCOMPARE(stored, prizes);
    }

    // The last click keeps drawing until the one prize left comes up.
    void theLastClickGetsThePrizeLeft() {
        GameRig rig;
        rig.Start();
        std::vector<int> prizes;
        for (int p = 1; p <= 26; ++p) {
            if (p != 13) {
                prizes.push_back(p);
            }
        }
        rig.ScriptPrizes(prizes);
        rig.ClickNext(25);
        for (int p = 26; p >= 14; --p) {
            rig.random.Add(ValueForPrize(p));
        }
        rig.random.Add(ValueForPrize(13));
        rig.ClickNext(1);
        QCOMPARE(rig.random.Remaining(), std::size_t{0});
        QCOMPARE(rig.game.State().DrawnPrizes[28], std::int16_t{13});
        QCOMPARE(rig.game.State().PickCount, std::int16_t{27});
    }

    // An opened case's button is hidden; a stray click on it must neither draw
    // (which never ends once every prize is out) nor count.
    void aClickOnAnOpenedCaseDoesNothing() {
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes({3, 4});
        rig.Click({1, 2});
        const auto before = rig.log.Size();
        const auto consumed = rig.random.Consumed();
        rig.Click({2});
        QCOMPARE(rig.log.Size(), before);
        QCOMPARE(rig.random.Consumed(), consumed);
        QCOMPARE(rig.game.State().PickCount, std::int16_t{3});
    }

    void clicksDuringAnOfferRefuseIt() {
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes({1, 2, 3, 4, 5, 6, 7});
        rig.ClickNext(6);
        QVERIFY(rig.board.IsShown(kOffer));
        QVERIFY(rig.board.IsShown(kDeal));
        const auto start = rig.log.Size();
        rig.ClickNext(1);
        const Entries expected{"hide Label27", "hide Command7", "hide Label7", "hide Label28"};
        QCOMPARE(rig.log.From(start), expected);
    }
};

MARVESTO_TEST_SUITE(CaseOpeningTest)
#include "case_opening_test.moc"

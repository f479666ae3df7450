// Both endings lead to the same final screen: accepting an offer, or opening
// the last case. The end label then plays the end cue and ends the program.
#include "game_rig.h"
#include "prize_ladder.h"

#include "suites.h"

#include <QTest>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

Currency Dollars(std::int64_t dollars) {
    return Currency::FromScaled(dollars * 10000);
}

Entries FinalScreenBuild(const std::string& resultLine) {
    Entries expected;
    for (int p = 1; p <= 26; ++p) {
        expected.push_back("hide Label" + std::to_string(p));
    }
    for (int k = 1; k <= 26; ++k) {
        expected.push_back("hide Command" + std::to_string(k));
    }
    const Entries rest{"show Label30", "show Label33", "hide Label28",
                       "hide Label27", "show Label34", "caption Label34 [" + resultLine + "]"};
    expected.insert(expected.end(), rest.begin(), rest.end());
    return expected;
}

} // namespace

class GameEndTest : public QObject {
    Q_OBJECT

private slots:
    void dealSavesTwicePlaysTheCueThenShowsTheFinalScreen() {
        GameRig rig;
        rig.Start(100.0F);
        rig.ScriptPrizes(WorkedExample());
        rig.ClickNext(kClicksToFirstOffer);
        Currency winningsDuringCue;
        rig.cues.whilePlaying = [&](const std::string&) {
            winningsDuringCue = rig.game.State().Winnings;
        };
        const auto start = rig.log.Size();
        rig.game.Label28_Click();

        Entries expected{"save 16356", "cue DEAL.wav"};
        const Entries screen = FinalScreenBuild("               YOU WIN!! $ 16356");
        expected.insert(expected.end(), screen.begin(), screen.end());
        expected.push_back("save 16356");
        QCOMPARE(rig.log.From(start), expected);
        QCOMPARE(winningsDuringCue, Dollars(50000));
        QCOMPARE(rig.game.State().Winnings, Dollars(16356));
        QCOMPARE(rig.board.ShownControls(), FinalScreenControls());
        QCOMPARE(rig.end.quits, 0);
    }

    void dealBelowTheHighScoreSavesNothing() {
        GameRig rig;
        rig.Start(16356.0F);
        rig.ScriptPrizes(WorkedExample());
        rig.ClickNext(kClicksToFirstOffer);
        rig.game.Label28_Click();
        QVERIFY(rig.store.saves.empty());
        QCOMPARE_EQ(rig.game.State().HiScore, 16356.0F);
    }

    void dealOneDollarAboveTheHighScoreIsSaved() {
        GameRig rig;
        rig.Start(16355.0F);
        rig.ScriptPrizes(WorkedExample());
        rig.ClickNext(kClicksToFirstOffer);
        rig.game.Label28_Click();
        QCOMPARE(rig.store.saves, (std::vector<Currency>{Dollars(16356), Dollars(16356)}));
        // The high score shown stays the one read at start-up.
        QCOMPARE_EQ(rig.game.State().HiScore, 16355.0F);
        QCOMPARE(rig.board.Caption(kHighScore), std::string("HISCORE: 16355"));
    }

    void lastCaseWinsTheOwnAmountWithoutACue() {
        GameRig rig;
        rig.Start(0.0F);
        std::vector<int> prizes = WorkedExample();
        std::rotate(prizes.begin(), std::find(prizes.begin(), prizes.end(), 26),
                    std::find(prizes.begin(), prizes.end(), 26) + 1);
        QCOMPARE(prizes.front(), 26);
        rig.ScriptPrizes(prizes);
        rig.ClickNext(25);
        const auto start = rig.log.Size();
        rig.ClickNext(1);

        Entries expected{"hide Label27", "hide Command26", "hide Label25", "hide Label28"};
        const Entries screen = FinalScreenBuild("               YOU WIN!! $ .5");
        expected.insert(expected.end(), screen.begin(), screen.end());
        expected.push_back("save .5");
        QCOMPARE(rig.log.From(start), expected);
        QCOMPARE(rig.board.ShownControls(), FinalScreenControls());
        QCOMPARE(rig.game.State().PickCount, std::int16_t{27});
    }

    void lastCaseWithoutABeatenHighScoreSavesNothing() {
        GameRig rig;
        rig.Start(200000.0F);
        rig.ScriptPrizes(WorkedExample());
        rig.ClickNext(26);
        QVERIFY(rig.store.saves.empty());
        QCOMPARE(rig.board.Caption(kResult), std::string("               YOU WIN!! $ 50000"));
    }

    void offerOfZeroIsAWinOfZero() {
        GameRig rig;
        rig.Start(0.0F);
        rig.ScriptPrizes({26, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        rig.ClickNext(11);
        QCOMPARE(rig.game.State().Offer, Dollars(0));
        rig.game.Label28_Click();
        QCOMPARE(rig.board.Caption(kResult), std::string("               YOU WIN!! $ 0"));
        QVERIFY(rig.store.saves.empty());
    }

    void offerAboveTheLargestPrizeBeatsIt() {
        GameRig rig;
        rig.Start(200000.0F);
        rig.ScriptPrizes({1, 2, 3, 4, 5, 6, 7, 26, 25, 24, 23}, {1, 2});
        rig.ClickNext(11);
        rig.game.Label28_Click();
        QCOMPARE(rig.store.saves, (std::vector<Currency>{Dollars(222222), Dollars(222222)}));
    }

    void endLabelRewritesTheResultPlaysTheEndCueAndQuits() {
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes(WorkedExample());
        rig.ClickNext(kClicksToFirstOffer);
        rig.game.Label28_Click();
        const auto start = rig.log.Size();
        rig.game.Label33_Click();
        const Entries expected{"hide Label27", "show Label34",
                               "caption Label34 [YOU WIN!! $ 16356]", "cue END.wav", "quit"};
        QCOMPARE(rig.log.From(start), expected);
        QCOMPARE(rig.end.quits, 1);
    }
};

MARVESTO_TEST_SUITE(GameEndTest)
#include "game_end_test.moc"

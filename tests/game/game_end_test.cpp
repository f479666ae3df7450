// Both endings lead to the same final screen: accepting an offer, or opening
// the last case.
#include "game_rig.h"

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

// The log of an ending: `expected`, the final screen showing the amount won, its save.
Entries EndingWith(Entries expected, const std::string& amount) {
    for (const std::string kind : {"Label", "Command"}) {
        for (int n = 1; n <= 26; ++n) {
            expected.push_back("hide " + kind + std::to_string(n));
        }
    }
    expected.insert(expected.end(),
                    {"show Label30", "show Label33", "hide Label28", "hide Label27", "show Label34",
                     "caption Label34 [               YOU WIN!! $ " + amount + "]",
                     "save " + amount});
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
        QCOMPARE(rig.log.From(start), EndingWith({"save 16356", "cue DEAL.wav"}, "16356"));
        QCOMPARE(winningsDuringCue, Dollars(50000));
    }

    // Only a deal above the high score is saved; the high score shown stays
    // the one read at start-up.
    void dealSavesOnlyAboveTheHighScore_data() {
        QTest::addColumn<float>("highScore");
        QTest::addColumn<int>("saves");
        QTest::newRow("one dollar below the offer") << 16355.0F << 2;
        QTest::newRow("the offer itself") << 16356.0F << 0;
    }
    void dealSavesOnlyAboveTheHighScore() {
        QFETCH(float, highScore);
        QFETCH(int, saves);
        GameRig rig;
        rig.Start(highScore);
        rig.ScriptPrizes(WorkedExample());
        rig.ClickNext(kClicksToFirstOffer);
        rig.game.Label28_Click();
        QCOMPARE(rig.store.saves, std::vector<Currency>(saves, Dollars(16356)));
        QCOMPARE_EQ(rig.game.State().HiScore, highScore);
        QCOMPARE(rig.board.Caption(kHighScore),
                 "HISCORE: " + std::to_string(static_cast<int>(highScore)));
    }

    void lastCaseWinsTheOwnAmountWithoutACue() {
        GameRig rig;
        rig.Start(0.0F);
        // The worked example with the own case holding 50 cents.
        std::vector<int> prizes = WorkedExample();
        prizes.erase(std::find(prizes.begin(), prizes.end(), 26));
        prizes.insert(prizes.begin(), 26);
        rig.ScriptPrizes(prizes);
        rig.ClickNext(25);
        const auto start = rig.log.Size();
        rig.ClickNext(1);
        QCOMPARE(
            rig.log.From(start),
            EndingWith({"hide Label27", "hide Command26", "hide Label25", "hide Label28"}, ".5"));
    }
};

MARVESTO_TEST_SUITE(GameEndTest)
#include "game_end_test.moc"

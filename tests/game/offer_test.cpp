// The banker's offer: the pool formula while the pool is above 100, the case
// formula from the own case's amount at or below it, at the six offer counts.
#include "game_rig.h"
#include "prize_ladder.h"

#include "suites.h"

#include <QTest>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

Currency Dollars(std::int64_t dollars) {
    return Currency::FromScaled(dollars * 10000);
}

// A full 26-click game: the prizes of `first` in their order, then every
// other prize in ascending order but those of `last`, which end the game.
std::vector<int> GameDrawing(const std::vector<int>& first, const std::vector<int>& last) {
    std::vector<int> order = first;
    for (int p = 1; p <= kPrizeCount; ++p) {
        if (std::ranges::count(first, p) + std::ranges::count(last, p) == 0) {
            order.push_back(p);
        }
    }
    order.insert(order.end(), last.begin(), last.end());
    return order;
}

// The n-th offer comes after this many clicks.
constexpr int kClicksToOffer[] = {0, 6, 11, 15, 19, 22, 24};

} // namespace

class OfferTest : public QObject {
    Q_OBJECT

private slots:
    void poolFormulaWorkedExample() {
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes({4, 12, 21, 5, 23, 2, 26, 1, 8, 19, 16});
        rig.ClickNext(5);
        const auto start = rig.log.Size();
        rig.ClickNext(1);
        const GameState& state = rig.game.State();
        QCOMPARE_EQ(state.BankPool, 408975.0F);
        QCOMPARE(state.Offer, Dollars(16356));
        const Entries expected{"hide Label27",
                               "hide Command6",
                               "hide Label2",
                               "hide Label28",
                               "cue DIAL.wav",
                               "show Label27",
                               "caption Label27 [OFFER: $ 16356]",
                               "show Label28"};
        QCOMPARE(rig.log.From(start), expected);

        rig.ClickNext(5);
        QCOMPARE_EQ(state.BankPool, 98900.0F);
        QCOMPARE(state.Offer, Dollars(5934));
        QCOMPARE(rig.board.Caption(kOffer), std::string("OFFER: $ 5934"));
        // The $200 of click 11 waits for the third offer.
        QCOMPARE(DeductedFlag(state, 16), std::int16_t{0});
    }

    // Each row plays a whole game drawn in a chosen order to its n-th offer.
    void edgeValues_data() {
        QTest::addColumn<std::vector<int>>("prizes");
        QTest::addColumn<int>("offer");
        QTest::addColumn<int>("factor");
        QTest::addColumn<float>("pool");
        QTest::addColumn<qint64>("dollars");

        // Both formulas in one game: 350 hundreds times 4 at the first offer,
        // then $200,000 times 2 / 1.8 from a pool below 100.
        const std::vector<int> bothFormulas{1, 2, 3, 4, 5, 6, 7, 26, 25, 24, 23};
        QTest::newRow("pool formula worked example")
            << bothFormulas << 1 << 2 << 35000.0F << qint64{1400};
        QTest::newRow("case formula worked example")
            << bothFormulas << 2 << 2 << -3.0F << qint64{222222};
        QTest::newRow("pool exactly 100 uses the case formula")
            << GameDrawing({1}, {6, 11, 15, 16, 17, 19, 21, 22, 23, 24, 25, 26}) << 3 << 1 << 100.0F
            << qint64{111111};
        QTest::newRow("pool 137 gives the multiplier")
            << GameDrawing({}, {6, 10, 15}) << 6 << 1 << 137.0F << qint64{38};
        QTest::newRow("pool 199 gives the multiplier")
            << GameDrawing({}, {6, 11, 15, 16, 17, 18, 19, 21, 22, 23, 24, 26}) << 3 << 1 << 199.0F
            << qint64{10};
        QTest::newRow("pool 200 gives twice the multiplier")
            << GameDrawing({}, {6, 10, 15, 20, 22, 24, 25, 26}) << 4 << 1 << 200.0F << qint64{44};
        QTest::newRow("225 / 1.8 is 125, not 124")
            << GameDrawing({19}, {24, 25, 26}) << 6 << 3 << -22610.0F << qint64{125};
        QTest::newRow("own $150, factor 3")
            << GameDrawing({17}, {24, 25, 26}) << 6 << 3 << -22610.0F << qint64{250};
        QTest::newRow("own $1, factor 1")
            << GameDrawing({25}, {23, 24, 26}) << 6 << 1 << -22606.0F << qint64{0};
        QTest::newRow("own $1, factor 3")
            << GameDrawing({25}, {23, 24, 26}) << 6 << 3 << -22606.0F << qint64{1};
        QTest::newRow("own $200,000, factor 3")
            << GameDrawing({1}, {23, 24, 25}) << 6 << 3 << -22605.0F << qint64{333333};
        QTest::newRow("own 50 cents, factor 3")
            << GameDrawing({26}, {23, 24, 25}) << 6 << 3 << -22605.0F << qint64{0};
        QTest::newRow("lowest pool: $1, $2 and 50 cents left")
            << GameDrawing({3}, {24, 25, 26}) << 6 << 1 << -22610.0F << qint64{41666};
        // Each offer of a game drawn from the smallest prize up, by the pool
        // formula with that offer's multiplier; the first is the highest
        // first offer there is.
        std::vector<int> smallestFirst(kPrizeCount);
        std::iota(smallestFirst.rbegin(), smallestFirst.rend(), 1);
        QTest::newRow("first offer: 4 times 4899")
            << smallestFirst << 1 << 1 << 489982.0F << qint64{19596};
        QTest::newRow("second offer: 6 times 4895")
            << smallestFirst << 2 << 1 << 489587.0F << qint64{29370};
        QTest::newRow("third offer: 10 times 4878")
            << smallestFirst << 3 << 1 << 487887.0F << qint64{48780};
        QTest::newRow("fourth offer: 22 times 4773")
            << smallestFirst << 4 << 1 << 477387.0F << qint64{105006};
        QTest::newRow("fifth offer: 32 times 4323")
            << smallestFirst << 5 << 1 << 432387.0F << qint64{138336};
        QTest::newRow("sixth offer: 38 times 3523")
            << smallestFirst << 6 << 1 << 352387.0F << qint64{133874};
    }
    void edgeValues() {
        QFETCH(std::vector<int>, prizes);
        QFETCH(int, offer);
        QFETCH(int, factor);
        QFETCH(float, pool);
        QFETCH(qint64, dollars);

        GameRig rig;
        rig.Start();
        rig.ScriptPrizes(prizes, std::vector<int>(6, factor));
        rig.ClickNext(kClicksToOffer[offer]);
        QCOMPARE_EQ(rig.game.State().BankPool, pool);
        QCOMPARE(rig.game.State().Offer, Dollars(dollars));
        QCOMPARE(rig.board.Caption(kOffer), "OFFER: $ " + std::to_string(dollars));
    }

    // The 24th click's prize triggers the sixth offer and no offer follows, so
    // it is never taken off the pool.
    void prizeOfTheTwentyFourthClickIsNeverDeducted() {
        GameRig rig;
        rig.Start();
        rig.ScriptPrizes(GameDrawing({}, {2, 24, 25}));
        rig.ClickNext(24);
        const float pool = rig.game.State().BankPool;
        QCOMPARE_EQ(pool, 100000.0F + 3.0F - 22613.0F);
        rig.ClickNext(2);
        QCOMPARE_EQ(rig.game.State().BankPool, pool);
        QCOMPARE(DeductedFlag(rig.game.State(), 2), std::int16_t{0});
    }
};

MARVESTO_TEST_SUITE(OfferTest)
#include "offer_test.moc"

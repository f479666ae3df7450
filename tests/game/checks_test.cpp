// The overflow and bounds checks stand between a logic slip and silently
// corrupted game state, so each must fire exactly at its limit.
#include "checked.h"
#include "control.h"
#include "currency.h"
#include "game_state.h"
#include "prize_ladder.h"
#include "stand_ins.h"

#include "suites.h"

#include <QTest>

#include <cmath>
#include <cstdint>
#include <limits>

using namespace marvesto;
using namespace marvesto::testing;

class ChecksTest : public QObject {
    Q_OBJECT

private slots:
    void counterIncrementStopsAtTheSixteenBitLimit() {
        std::int16_t counter = std::numeric_limits<std::int16_t>::max() - 1;
        Increment(counter);
        QCOMPARE(counter, std::numeric_limits<std::int16_t>::max());
        QVERIFY_THROWS_EXCEPTION(RunTimeError, Increment(counter));
        QCOMPARE(counter, std::numeric_limits<std::int16_t>::max());
    }

    void arrayAccessIsCheckedAtBothEnds() {
        BoundedArray<std::int16_t, 0, 30> drawn;
        drawn[0] = 1;
        drawn[30] = 2;
        QCOMPARE(drawn[0], std::int16_t{1});
        QCOMPARE(drawn[30], std::int16_t{2});
        QVERIFY_THROWS_EXCEPTION(RunTimeError, drawn[-1]);
        QVERIFY_THROWS_EXCEPTION(RunTimeError, drawn[31]);
    }

    void deductedFlagsExistOnlyForPrizesOneToTwentyFive() {
        GameState state;
        DeductedFlag(state, 25) = 1;
        QCOMPARE(state.PrizeDeducted[0], std::int16_t{1});
        DeductedFlag(state, 1) = 1;
        QCOMPARE(state.PrizeDeducted[24], std::int16_t{1});
        QVERIFY_THROWS_EXCEPTION(RunTimeError, DeductedFlag(state, 26));
        QVERIFY_THROWS_EXCEPTION(RunTimeError, DeductedFlag(state, 0));
    }

    void currencyProductOverflowIsAnError() {
        const Currency huge = Currency::FromScaled(std::numeric_limits<std::int64_t>::max() / 2);
        QCOMPARE(huge.Times(2).Scaled(), std::numeric_limits<std::int64_t>::max() - 1);
        QVERIFY_THROWS_EXCEPTION(RunTimeError, huge.Times(3));
        QVERIFY_THROWS_EXCEPTION(RunTimeError, Currency::FromWholeDollars(1e300));
    }

    void controlsOutsideTheWindowAreErrors() {
        QVERIFY_THROWS_EXCEPTION(RunTimeError, Control::Command(0));
        QVERIFY_THROWS_EXCEPTION(RunTimeError, Control::Command(27));
        QVERIFY_THROWS_EXCEPTION(RunTimeError, Control::Label(35));
    }

    // Every value a random source promises, 0 <= u < 1, draws a prize on the
    // ladder; one that breaks the promise must not yield prize 27.
    void drawsStayOnTheLadder() {
        CallLog log;
        ScriptedRandom random(log);
        for (const double u : {0.0, std::nextafter(1.0, 0.0), 1.0}) {
            random.Add(u);
        }
        QCOMPARE(DrawPrizeIndex(random), std::int16_t{1});
        QCOMPARE(DrawPrizeIndex(random), std::int16_t{26});
        QVERIFY_THROWS_EXCEPTION(RunTimeError, DrawPrizeIndex(random));
    }

    void exactComparisonOfAmountAndSingle() {
        QVERIFY(IsGreater(Currency::FromScaled(2000010000), 200000.0F));
        QVERIFY(!IsGreater(Currency::FromScaled(2000000000), 200000.0F));
        QVERIFY(IsGreater(Currency::FromScaled(5000), 0.0F));
        QVERIFY(!IsGreater(Currency::FromScaled(5000), 0.5F));
        QVERIFY(IsGreater(Currency::FromScaled(0), -1.0F));
    }
};

MARVESTO_TEST_SUITE(ChecksTest)
#include "checks_test.moc"

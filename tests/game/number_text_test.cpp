// The number text rule is what the player reads in every caption and what the
// high-score file holds, so each form it can take is pinned down here.
#include "number_text.h"

#include "suites.h"

#include <QTest>

#include <limits>

using marvesto::Currency;
using marvesto::NumberText;

class NumberTextTest : public QObject {
    Q_OBJECT

private slots:
    void currencyAmounts_data() {
        QTest::addColumn<qint64>("scaled");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64{0} << " 0";
        QTest::newRow("fifty cents has no zero before the point") << qint64{5000} << " .5";
        QTest::newRow("15000") << qint64{150000000} << " 15000";
        QTest::newRow("negative") << qint64{-50000} << "-5";
        QTest::newRow("four decimals") << qint64{12345} << " 1.2345";
        QTest::newRow("trailing zeros dropped") << qint64{12300} << " 1.23";
        QTest::newRow("smallest unit") << qint64{1} << " .0001";
        QTest::newRow("negative below one") << qint64{-2500} << "-.25";
        QTest::newRow("most negative value")
            << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
    }
    void currencyAmounts() {
        QFETCH(qint64, scaled);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(NumberText(Currency::FromScaled(scaled))), text);
    }

    void singleValues_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0F << " 0";
        QTest::newRow("negative zero reads as zero") << -0.0F << " 0";
        QTest::newRow("half") << 0.5F << " .5";
        QTest::newRow("15000") << 15000.0F << " 15000";
        QTest::newRow("333333") << 333333.0F << " 333333";
        QTest::newRow("minus five") << -5.0F << "-5";
        QTest::newRow("1234567.8 rounds to seven digits") << 1234567.8F << " 1234568";
        QTest::newRow("12345678 takes the exponent form") << 12345678.0F << " 1.234568E+07";
        QTest::newRow("ten million") << 10000000.0F << " 1E+07";
        QTest::newRow("one tenth keeps its short form") << 0.1F << " .1";
        QTest::newRow("small positional") << 0.0001F << " .0001";
        QTest::newRow("tiny takes the exponent form") << 0.00001F << " 1E-05";
        QTest::newRow("negative fraction") << -2.25F << "-2.25";
        QTest::newRow("seven significant digits") << 9999999.0F << " 9999999";
        QTest::newRow("largest single") << std::numeric_limits<float>::max() << " 3.402823E+38";
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << " Infinity";
    }
    void singleValues() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(NumberText(value)), text);
    }
};

MARVESTO_TEST_SUITE(NumberTextTest)
#include "number_text_test.moc"

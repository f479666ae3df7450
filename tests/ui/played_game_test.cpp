// Whole games played through the real window: clicks on the real buttons and
// labels, the game wired as the program wires it, with scripted prizes.
#include "wired_game.h"

#include <QTest>

#include <algorithm>

using namespace marvesto::testing;

namespace {

// The worked example: the own case holds prize 4; the first offer, after the
// 6th click, is 16356, the second, after the 11th, 5934.
const std::vector<int> kWorkedExample{4, 12, 21, 5, 23, 2, 26, 1, 8, 19, 16};
const std::vector<int> kRemainingPrizes{3, 6, 7, 9, 10, 11, 13, 14, 15, 17, 18, 20, 22, 24, 25};

QString Name(const char* kind, int number) {
    return QStringLiteral("%1%2").arg(kind).arg(number);
}

QStringList LadderLabels() {
    QStringList labels;
    for (int p = 1; p <= 26; ++p) {
        labels.push_back(Name("Label", p));
    }
    return labels;
}

} // namespace

class PlayedGameTest : public QObject {
    Q_OBJECT

private:
    // The ladder labels a player can see at their places.
    static QStringList VisibleLadder(const WiredGame& play) {
        QStringList visible;
        for (const QString& label : LadderLabels()) {
            const QWidget* onTop = play.window.childAt(play.Widget(label)->geometry().center());
            if (onTop != nullptr && onTop->objectName() == label) {
                visible.push_back(label);
            }
        }
        return visible;
    }

    static QStringList LadderWithout(const std::vector<int>& struckPrizes) {
        QStringList labels = LadderLabels();
        for (const int prize : struckPrizes) {
            labels.removeOne(Name("Label", prize));
        }
        return labels;
    }

private slots:
    void wholeGameWithADealOnTheSecondOffer() {
        WiredGame play;
        play.store.stored = 2500;
        play.ScriptPrizes(kWorkedExample);
        play.Start();
        QCOMPARE(play.Caption("Label44"), QStringLiteral("HISCORE: 2500"));
        QCOMPARE(play.window.focusWidget(), play.Widget("Command1"));
        QCOMPARE(VisibleLadder(play), QStringList());

        // The first click chooses the own case and uncovers the whole ladder at once.
        play.Click("Command1");
        QCOMPARE(VisibleLadder(play), LadderLabels());
        QVERIFY(play.Widget("Label29")->isHidden());
        QVERIFY(play.Widget("Command1")->isHidden());
        QCOMPARE(play.Caption("Label30"), QStringLiteral("CASE  1"));
        QVERIFY(play.Widget("Label30")->isVisible());

        // Every later click strikes exactly its own prize off the ladder.
        std::vector<int> struck;
        for (int click = 2; click <= 6; ++click) {
            play.Click(Name("Command", click));
            struck.push_back(kWorkedExample[static_cast<std::size_t>(click - 1)]);
            QCOMPARE(VisibleLadder(play), LadderWithout(struck));
            QVERIFY(play.Widget(Name("Command", click))->isHidden());
        }
        QCOMPARE(play.Caption("Label27"), QStringLiteral("OFFER: $ 16356"));
        QVERIFY(play.Widget("Label27")->isVisible());
        QVERIFY(play.Widget("Label28")->isVisible());

        // Opening another case refuses the offer.
        play.Click("Command7");
        struck.push_back(26);
        QVERIFY(play.Widget("Label27")->isHidden());
        QVERIFY(play.Widget("Label28")->isHidden());
        QCOMPARE(VisibleLadder(play), LadderWithout(struck));

        for (int click = 8; click <= 11; ++click) {
            play.Click(Name("Command", click));
        }
        QCOMPARE(play.Caption("Label27"), QStringLiteral("OFFER: $ 5934"));
        QVERIFY(play.Widget("Label28")->isVisible());

        const auto beforeDeal = play.log.size();
        play.Click("Label28");
        QCOMPARE(play.ShownControls(),
                 QStringList({"Label30", "Label31", "Label32", "Label33", "Label34", "Label44"}));
        QCOMPARE(play.Caption("Label34"), QStringLiteral("               YOU WIN!! $ 5934"));
        const CallLog deal = play.LogFrom(beforeDeal);
        QCOMPARE(deal.front(), std::string("save 5934"));
        QCOMPARE(deal.at(1), std::string("cue DEAL.wav"));
        QCOMPARE(std::count(deal.begin(), deal.end(), "save 5934"), 2);

        const auto beforeEnd = play.log.size();
        play.Click("Label33");
        QCOMPARE(play.Caption("Label34"), QStringLiteral("YOU WIN!! $ 5934"));
        const CallLog end{"hide Label27", "show Label34", "caption Label34 [YOU WIN!! $ 5934]",
                          "cue END.wav", "exit 0"};
        QCOMPARE(play.LogFrom(beforeEnd), end);
        QCOMPARE(play.random.Remaining(), std::size_t{0});
    }

    void wholeGameToTheLastCase() {
        WiredGame play;
        std::vector<int> prizes = kWorkedExample;
        prizes.insert(prizes.end(), kRemainingPrizes.begin(), kRemainingPrizes.end());
        play.ScriptPrizes(prizes);
        play.Start();
        for (int k = 26; k >= 2; --k) {
            play.Click(Name("Command", k));
        }
        QCOMPARE(VisibleLadder(play), QStringList({"Label4", "Label25"}));
        play.Click("Command1");
        QCOMPARE(play.ShownControls(),
                 QStringList({"Label30", "Label31", "Label32", "Label33", "Label34", "Label44"}));
        QCOMPARE(play.Caption("Label30"), QStringLiteral("CASE  26"));
        QCOMPARE(play.Caption("Label34"), QStringLiteral("               YOU WIN!! $ 50000"));
        QCOMPARE(play.log.back(), std::string("save 50000"));
    }

    // Only the case buttons, DEAL and the end label answer clicks; a click on
    // any other label, or where a control is hidden, does nothing.
    void otherClicksDoNothing() {
        WiredGame play;
        play.ScriptPrizes(kWorkedExample);
        play.Start();
        const auto quietClicks = [&play](const QStringList& targets) {
            const CallLog before = play.log;
            for (const QString& target : targets) {
                play.Click(target);
            }
            QCOMPARE(play.log, before);
        };
        quietClicks({"Label31", "Label32", "Label29", "Label30", "Label44"});
        // Where DEAL and the end label lie while they are hidden.
        const CallLog atStart = play.log;
        play.ClickAt(QPoint(72, 476));
        play.ClickAt(QPoint(10, 240));
        QCOMPARE(play.log, atStart);

        for (int k = 1; k <= 6; ++k) {
            play.Click(Name("Command", k));
        }
        quietClicks({"Label27", "Label30", "Label5", "Label26", "Label1"});
        const auto beforeHiddenCase = play.log.size();
        play.ClickAt(QPoint(152, 288));
        QCOMPARE(play.log.size(), beforeHiddenCase);
    }

    // On the final screen the end label covers the third row of cases, so a
    // click where CASE 8 stood ends the game.
    void endLabelCoversTheThirdRowOnTheFinalScreen() {
        WiredGame play;
        play.ScriptPrizes(kWorkedExample);
        play.Start();
        for (int k = 1; k <= 6; ++k) {
            play.Click(Name("Command", k));
        }
        play.Click("Label28");
        play.ClickAt(QPoint(248, 240));
        QCOMPARE(play.log.back(), std::string("exit 0"));
        QCOMPARE(play.Caption("Label34"), QStringLiteral("YOU WIN!! $ 16356"));
    }

    // The space bar presses the case that has the focus, which starts on
    // CASE 1 and moves on to the next case shown when that one goes.
    void spaceBarOpensTheFocusedCase() {
        WiredGame play;
        play.ScriptPrizes(kWorkedExample);
        play.Start();
        play.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&play.window));
        QTest::keyClick(play.window.focusWidget(), Qt::Key_Space);
        QVERIFY(play.Widget("Command1")->isHidden());
        QCOMPARE(play.Caption("Label30"), QStringLiteral("CASE  1"));
        QCOMPARE(play.window.focusWidget(), play.Widget("Command2"));
        QTest::keyClick(play.window.focusWidget(), Qt::Key_Space);
        QCOMPARE(VisibleLadder(play), LadderWithout({12}));
    }
};

QTEST_MAIN(PlayedGameTest)
#include "played_game_test.moc"

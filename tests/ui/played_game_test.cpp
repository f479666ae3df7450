// Whole games played through the real window: clicks and keys on the real
// buttons and labels, the game wired as the program wires it, with scripted
// prizes.
#include "suites.h"
#include "window_rig.h"

#include <QApplication>
#include <QTest>

#include <algorithm>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

// The ladder labels but those of the given prizes.
Entries LadderWithout(const std::vector<int>& struckPrizes) {
    Entries labels;
    for (int p = 1; p <= kCaseCount; ++p) {
        if (std::find(struckPrizes.begin(), struckPrizes.end(), p) == struckPrizes.end()) {
            labels.push_back(Control::Label(p).Name());
        }
    }
    return labels;
}

// The ladder labels a player can see at their places.
Entries VisibleLadder(const WindowRig& play) {
    Entries visible;
    for (int p = 1; p <= kCaseCount; ++p) {
        const QWidget* label = play.Widget(Control::Label(p));
        const QWidget* onTop = play.window.childAt(label->geometry().center());
        if (onTop == label) {
            visible.push_back(Control::Label(p).Name());
        }
    }
    return visible;
}

} // namespace

class PlayedGameTest : public QObject {
    Q_OBJECT

private slots:
    void wholeGameWithADealOnTheSecondOffer() {
        WindowRig play;
        play.rig.ScriptPrizes(WorkedExample());
        play.Start(2500);
        QCOMPARE(play.Caption(kHighScore), QStringLiteral("HISCORE: 2500"));
        QCOMPARE(play.window.focusWidget(), play.Widget(Control::Command(1)));
        QCOMPARE(VisibleLadder(play), Entries());

        // The first click chooses the own case and uncovers the whole ladder at once.
        play.Click(Control::Command(1));
        QCOMPARE(VisibleLadder(play), LadderWithout({}));
        QVERIFY(play.Widget(kPrompt)->isHidden());
        QVERIFY(play.Widget(Control::Command(1))->isHidden());
        QCOMPARE(play.Caption(kOwnCase), QStringLiteral("CASE  1"));
        QVERIFY(play.Widget(kOwnCase)->isVisible());

        // Every later click strikes exactly its own prize off the ladder.
        std::vector<int> struck;
        for (int click = 2; click <= kClicksToFirstOffer; ++click) {
            play.Click(Control::Command(click));
            struck.push_back(WorkedExample()[static_cast<std::size_t>(click - 1)]);
            QCOMPARE(VisibleLadder(play), LadderWithout(struck));
            QVERIFY(play.Widget(Control::Command(click))->isHidden());
        }
        QCOMPARE(play.Caption(kOffer), QStringLiteral("OFFER: $ 16356"));
        QVERIFY(play.Widget(kOffer)->isVisible());
        QVERIFY(play.Widget(kDeal)->isVisible());

        // Opening another case refuses the offer.
        play.Click(Control::Command(7));
        struck.push_back(26);
        QVERIFY(play.Widget(kOffer)->isHidden());
        QVERIFY(play.Widget(kDeal)->isHidden());
        QCOMPARE(VisibleLadder(play), LadderWithout(struck));

        play.ClickNext(4);
        QCOMPARE(play.Caption(kOffer), QStringLiteral("OFFER: $ 5934"));
        QVERIFY(play.Widget(kDeal)->isVisible());

        play.Click(kDeal);
        QCOMPARE(play.ShownControls(), FinalScreenControls());
        QCOMPARE(play.Caption(kResult), QStringLiteral("               YOU WIN!! $ 5934"));

        const auto beforeEnd = play.rig.log.Size();
        play.Click(kEnd);
        QCOMPARE(play.Caption(kResult), QStringLiteral("YOU WIN!! $ 5934"));
        const Entries end{"hide Label27", "show Label34", "caption Label34 [YOU WIN!! $ 5934]",
                          "cue END.wav", "exit 0"};
        QCOMPARE(play.rig.log.From(beforeEnd), end);
        // Eleven prizes and two offer factors drawn, and not a value more.
        QCOMPARE(play.rig.random.Consumed(), std::size_t{13});
    }

    void wholeGameToTheLastCase() {
        WindowRig play;
        play.rig.ScriptPrizes(WorkedExample());
        play.Start();
        for (int k = kCaseCount; k >= 2; --k) {
            play.Click(Control::Command(k));
        }
        QCOMPARE(VisibleLadder(play), (Entries{"Label4", "Label25"}));
        play.Click(Control::Command(1));
        QCOMPARE(play.ShownControls(), FinalScreenControls());
        QCOMPARE(play.Caption(kOwnCase), QStringLiteral("CASE  26"));
        QCOMPARE(play.Caption(kResult), QStringLiteral("               YOU WIN!! $ 50000"));
        QCOMPARE(play.rig.log.All().back(), std::string("save 50000"));
    }

    // Only the case buttons, DEAL and the end label answer clicks; a click on
    // any other label, or where a control is hidden, does nothing.
    void otherClicksDoNothing() {
        WindowRig play;
        play.rig.ScriptPrizes(WorkedExample());
        play.Start();
        const auto quietClicks = [&play](const std::vector<Control>& controls) {
            const auto before = play.rig.log.Size();
            for (const Control control : controls) {
                play.Click(control);
            }
            QCOMPARE(play.rig.log.Size(), before);
        };
        // DEAL and the end label are clicked where they lie while hidden, off the cases.
        quietClicks({Control::Label(StatusLabel::kTitle), Control::Label(StatusLabel::kCredit),
                     kPrompt, kOwnCase, kHighScore, kDeal});
        const auto beforeEndLabel = play.rig.log.Size();
        play.ClickAt(play.Widget(kEnd)->geometry().topLeft() + QPoint(2, 24));
        QCOMPARE(play.rig.log.Size(), beforeEndLabel);

        play.ClickNext(kClicksToFirstOffer);
        quietClicks({kOffer, kOwnCase, Control::Label(5), Control::Label(26), Control::Label(1),
                     Control::Command(1)});
    }

    // The keyboard alone plays a whole game: Space opens the case that has
    // the focus, which starts on CASE 1 and moves on to the next case shown;
    // D takes the offer; on the final screen the end keys end the session.
    void keyboardPlaysAWholeGame_data() {
        QTest::addColumn<Qt::Key>("endKey");
        QTest::newRow("Return") << Qt::Key_Return;
        QTest::newRow("Enter") << Qt::Key_Enter;
        QTest::newRow("Space") << Qt::Key_Space;
    }
    void keyboardPlaysAWholeGame() {
        QFETCH(Qt::Key, endKey);
        WindowRig play;
        play.rig.ScriptPrizes(WorkedExample());
        play.Start();
        // Before the final screen the end keys do not end anything.
        play.Key(Qt::Key_Return);
        play.Key(Qt::Key_Enter);
        QCOMPARE(play.rig.log.All().back(), std::string("prepare sound"));

        play.Key(Qt::Key_Space);
        QVERIFY(play.Widget(Control::Command(1))->isHidden());
        QCOMPARE(play.Caption(kOwnCase), QStringLiteral("CASE  1"));
        QCOMPARE(QApplication::focusWidget(), play.Widget(Control::Command(2)));
        for (int k = 2; k <= kClicksToFirstOffer; ++k) {
            play.Key(Qt::Key_Space);
        }
        QCOMPARE(VisibleLadder(play), LadderWithout({12, 21, 5, 23, 2}));
        play.Key(Qt::Key_D);
        QCOMPARE(play.ShownControls(), FinalScreenControls());
        QCOMPARE(play.Caption(kResult), QStringLiteral("               YOU WIN!! $ 16356"));
        play.Key(endKey);
        QCOMPARE(play.rig.log.All().back(), std::string("exit 0"));
        QCOMPARE(play.Caption(kResult), QStringLiteral("YOU WIN!! $ 16356"));
    }
};

MARVESTO_TEST_SUITE(PlayedGameTest)
#include "played_game_test.moc"

// The real program while a sound cue plays: what the player does meanwhile,
// a click or closing the window, takes effect once the cue is over, on what
// was shown where the click was made; nothing on screen changes before.
#include "expected_window.h"
#include "files.h"
#include "program_on_display.h"
#include "screen_probes.h"
#include "status_labels.h"
#include "suites.h"
#include "test_wav.h"

#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <memory>
#include <string>

using namespace marvesto;
using namespace marvesto::testing;
using namespace std::chrono_literals;

namespace {

// Longer than any real cue, so that the test can act and look inside it even
// on a slow machine.
constexpr auto kLongCue = 3000ms;

void SleepUntil(const QElapsedTimer& since, std::chrono::milliseconds moment) {
    const qint64 left = moment.count() - since.elapsed();
    if (left > 0) {
        QThread::msleep(static_cast<unsigned long>(left));
    }
}

} // namespace

class ProgramDuringCuesTest : public QObject {
    Q_OBJECT

private:
    TestDisplay display_;

private slots:
    void initTestCase() { QVERIFY2(display_.Failure().isEmpty(), qPrintable(display_.Failure())); }

    // A click made while a cue plays acts on what was shown where it was made,
    // once the cue is over: on the empty place of the hidden DEAL it does
    // nothing, even though the new offer's DEAL stands there afterwards; on a
    // case shown it opens that case, which refuses the new offer.
    void clickDuringTheDialActsOnWhatWasShown() {
        PlayerFolder player;
        ProgramOnDisplay program(display_, {.folder = player.Path()});
        QVERIFY2(program.Failure().isEmpty(), qPrintable(program.Failure()));
        // The first offer comes at once; the later ones ring a long dial.
        QVERIFY(program.OpenCases(10));
        WriteToneWav(player.File("DIAL.wav"), kLongCue);

        QElapsedTimer sinceDial;
        sinceDial.start();
        QVERIFY(program.Click(Control::Command(11)));
        QVERIFY(program.Click(kDeal));
        const QImage during = program.Screen();
        if (sinceDial.elapsed() >= kLongCue.count() || LabelShown(during, kDeal)) {
            QSKIP("the machine was too slow to click during the dial");
        }
        const QImage offered =
            program.ScreenUntil([](const QImage& screen) { return LabelShown(screen, kDeal); });
        QVERIFY(LabelShown(offered, kDeal));
        QVERIFY2(sinceDial.elapsed() >= kLongCue.count(), "the offer came during the dial");
        // Give a wrongly delivered DEAL click time to show its final screen.
        SleepUntil(sinceDial, kLongCue + 1000ms);
        const QImage still = program.Screen();
        QVERIFY(LabelShown(still, kDeal));
        QVERIFY(!LabelShown(still, kEnd));
        QVERIFY(!std::filesystem::exists(player.File("Print.txt")));

        // Cases 12 to 14 bring no offer; the 15th click rings the dial of
        // the third, and case 16 is clicked while it rings.
        for (int k = 12; k <= 15; ++k) {
            QVERIFY(program.Click(Control::Command(k)));
        }
        QVERIFY(program.Click(Control::Command(16)));
        const QImage refused =
            program.ScreenUntil([](const QImage& screen) { return !CaseShown(screen, 16); });
        QVERIFY(!CaseShown(refused, 16));
        QVERIFY(!LabelShown(program.Screen(), kDeal));
        QCOMPARE(CasesShown(program.Screen()), 10);
    }

    // A click held back during the intro must neither be lost nor run inside
    // the first click: it opens its case once the own case has been chosen.
    // Nothing changes on screen while the intro plays, and the whole intro
    // reaches the sound device (SDL's disk driver, which writes it to a file).
    void clickDuringTheIntroIsHandledAfterIt() {
        PlayerFolder player;
        WriteToneWav(player.File("INTRO.wav"), kLongCue);
        const QString device = QString::fromStdString(player.File("device.raw"));
        ProgramOnDisplay program(
            display_, {.folder = player.Path(),
                       .variables = {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", device}}});
        QVERIFY2(program.Failure().isEmpty(), qPrintable(program.Failure()));
        QElapsedTimer sinceFirstClick;
        sinceFirstClick.start();
        QVERIFY(program.Click(Control::Command(9)));
        QVERIFY(program.Click(Control::Command(2)));
        const QImage during = program.Screen();
        ExpectedWindow expected;
        expected.Board().SetCaption(kHighScore, "HISCORE: 0");
        if (sinceFirstClick.elapsed() < kLongCue.count()) {
            QVERIFY(CaseShown(during, 9));
            QVERIFY(CaseShown(during, 2));
            QVERIFY(expected.Matches(during, kPrompt));
            QVERIFY(expected.Matches(during, kOwnCase));
        }

        const QImage after = program.ScreenUntil(
            [](const QImage& screen) { return !CaseShown(screen, 9) && !CaseShown(screen, 2); });
        QVERIFY2(sinceFirstClick.elapsed() >= kLongCue.count(), "changed during the intro");
        QCOMPARE(CasesShown(after), 24);
        QCOMPARE(LadderLabelsShown(after), 25);
        expected.Board().Hide(kPrompt);
        QVERIFY(!expected.ShowsCaption(after, kOwnCase, "CASE  2"));
        QVERIFY(expected.ShowsCaption(after, kOwnCase, "CASE  9"));
        QVERIFY(program.RequestClose());
        QVERIFY(program.WaitForEnd());
        QVERIFY(HoldsCueBetweenSilence(ReadBytes(device.toStdString()),
                                       SampleBytes(ToneSamples(kLongCue, {}))));
    }

    // Closing during a cue ends the program then, cutting the cue short,
    // without saving anything.
    void closeDuringTheIntroEndsTheProgramAtOnce() {
        PlayerFolder player;
        WriteToneWav(player.File("INTRO.wav"), kLongCue);
        WriteBytes(player.File("Print.txt"), " 1234\r\n");
        ProgramOnDisplay program(display_, {.folder = player.Path()});
        QVERIFY2(program.Failure().isEmpty(), qPrintable(program.Failure()));
        QElapsedTimer sinceClick;
        sinceClick.start();
        QVERIFY(program.Click(Control::Command(9)));
        QVERIFY(program.RequestClose());
        QVERIFY(program.WaitForEnd());
        QVERIFY2(sinceClick.elapsed() < kLongCue.count(), "ended only after the intro");
        QCOMPARE(program.ExitStatus(), 0);
        QCOMPARE(ReadBytes(player.File("Print.txt")), std::string(" 1234\r\n"));
    }
};

MARVESTO_TEST_SUITE(ProgramDuringCuesTest)
#include "during_cues_test.moc"

// The intro cue in the real program on a display: the first click changes
// nothing on screen until the cue has played, and what the player does
// meanwhile, a second click or closing the window, takes effect after it.
#include "expected_window.h"
#include "program_on_display.h"
#include "screen_probes.h"
#include "test_wav.h"
#include "xvfb_display.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <chrono>
#include <memory>

using namespace marvesto;
using namespace marvesto::testing;
using namespace std::chrono_literals;

namespace {

// Longer than the real intro, so that the test can look at the screen inside
// the cue even on a slow machine.
constexpr auto kIntroLength = 3000ms;
constexpr auto kSecondClickAfter = 300ms;
constexpr auto kLookAfter = 500ms;

constexpr int kOwnCase = 9;
constexpr int kOpenedCase = 2;

const QByteArray kStoredHighScore(" 1234\r\n");

void SleepUntil(const QElapsedTimer& since, std::chrono::milliseconds moment) {
    const qint64 left = moment.count() - since.elapsed();
    if (left > 0) {
        QThread::msleep(static_cast<unsigned long>(left));
    }
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class IntroWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<XvfbDisplay> display_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ProgramOnDisplay> program_;

private slots:
    void initTestCase() {
        display_ = std::make_unique<XvfbDisplay>();
        QVERIFY2(display_->Running(), qPrintable(display_->Failure()));
    }

    // Each test starts the program in a folder with the intro cue and a
    // high score, and waits for the start screen.
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        WriteToneWav(folder_->filePath(QStringLiteral("INTRO.wav")).toStdString(), kIntroLength);
        WriteFile(folder_->filePath(QStringLiteral("Print.txt")).toStdString(),
                  kStoredHighScore.toStdString());
        program_ = std::make_unique<ProgramOnDisplay>(*display_, QStringLiteral(MARVESTO_PROGRAM),
                                                      folder_->path());
        QVERIFY2(program_->Failure().isEmpty(), qPrintable(program_->Failure()));
        const QImage start =
            program_->ScreenUntil([](const QImage& screen) { return CasesShown(screen) == 26; });
        QCOMPARE(CasesShown(start), 26);
    }

    void cleanup() {
        program_.reset();
        folder_.reset();
    }

    // A click held back during the cue must neither be lost nor run inside
    // the first click: it opens its case once the own case has been chosen.
    void clickDuringTheIntroIsHandledAfterIt() {
        QElapsedTimer sinceFirstClick;
        sinceFirstClick.start();
        QVERIFY(program_->Click(CasePlace(kOwnCase).center()));
        SleepUntil(sinceFirstClick, kSecondClickAfter);
        QVERIFY(program_->Click(CasePlace(kOpenedCase).center()));
        SleepUntil(sinceFirstClick, kLookAfter);

        const QImage during = program_->Screen();
        QVERIFY2(sinceFirstClick.elapsed() < kIntroLength.count(), "looked after the intro");
        QVERIFY(CaseShown(during, kOwnCase));
        QVERIFY(CaseShown(during, kOpenedCase));
        // The prompt still covers the ladder, and no own case is named yet.
        ExpectedWindow expected;
        expected.Board().SetCaption(Control::Label(Control::kHighScoreLabel), "HISCORE: 1234");
        QVERIFY(expected.Matches(during, Control::Label(StatusLabel::kPrompt)));
        QVERIFY(expected.Matches(during, Control::Label(StatusLabel::kOwnCase)));

        const QImage after = program_->ScreenUntil([](const QImage& screen) {
            return !CaseShown(screen, kOwnCase) && !CaseShown(screen, kOpenedCase);
        });
        QVERIFY2(sinceFirstClick.elapsed() >= kIntroLength.count(), "changed during the intro");
        QVERIFY(!CaseShown(after, kOwnCase));
        QVERIFY(!CaseShown(after, kOpenedCase));
        QCOMPARE(CasesShown(after), 24);
        QCOMPARE(LadderLabelsShown(after), 25);
        expected.Board().Hide(Control::Label(StatusLabel::kPrompt));
        const Control ownCaseLabel = Control::Label(StatusLabel::kOwnCase);
        QVERIFY(!expected.ShowsCaption(after, ownCaseLabel, "CASE  2"));
        QVERIFY(!expected.ShowsCaption(after, ownCaseLabel, "CASE  8"));
        QVERIFY(expected.ShowsCaption(after, ownCaseLabel, "CASE  9"));
    }

    // Closing waits for the running click, cue included, and then ends the
    // program without saving anything.
    void closeDuringTheIntroEndsTheProgramWhenTheIntroEnds() {
        QElapsedTimer sinceClick;
        sinceClick.start();
        QVERIFY(program_->Click(CasePlace(kOwnCase).center()));
        SleepUntil(sinceClick, kSecondClickAfter);
        QVERIFY(program_->RequestClose());
        QVERIFY(program_->WaitForEnd());
        QVERIFY2(sinceClick.elapsed() >= kIntroLength.count(), "ended during the intro");
        QCOMPARE(program_->ExitStatus(), 0);
        QCOMPARE(FileBytes(folder_->filePath(QStringLiteral("Print.txt"))), kStoredHighScore);
    }
};

QTEST_MAIN(IntroWindowTest)
#include "intro_window_test.moc"

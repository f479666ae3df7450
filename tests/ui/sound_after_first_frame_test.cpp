// The sound is readied once the window's first frame is painted, so that the
// player does not wait for SDL, and a cue asked for before then is not lost.
#include "sound_after_first_frame.h"
#include "stand_ins.h"
#include "suites.h"

#include <QTest>

using namespace marvesto;
using namespace marvesto::testing;

class SoundAfterFirstFrameTest : public QObject {
    Q_OBJECT

private:
    CallLog log_;
    int loads_ = 0;

    SoundAfterFirstFrame::Loader Loader() {
        return [this]() -> std::unique_ptr<CuePlayer> {
            ++loads_;
            return std::make_unique<RecordingCues>(log_, nullptr);
        };
    }

private slots:
    void init() {
        log_ = CallLog();
        loads_ = 0;
    }

    void soundIsReadiedOnceTheFirstFrameIsPainted() {
        QWidget window;
        SoundAfterFirstFrame cues(window, Loader());
        cues.Prepare();
        QCoreApplication::processEvents();
        QCOMPARE(loads_, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(log_.All(), Entries{"prepare sound"});
        cues.PlayCue("INTRO.wav");
        QCOMPARE(log_.All(), (Entries{"prepare sound", "cue INTRO.wav"}));
        QCOMPARE(loads_, 1);
    }

    void cueBeforeTheFirstFrameReadiesTheSoundFirst() {
        QWidget window;
        SoundAfterFirstFrame cues(window, Loader());
        cues.Prepare();
        cues.PlayCue("INTRO.wav");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QCOMPARE(log_.All(), (Entries{"prepare sound", "cue INTRO.wav"}));
        QCOMPARE(loads_, 1);
    }

    // Without the sound module the game goes on in silence.
    void withoutSoundEveryCueIsSilence() {
        QWidget window;
        SoundAfterFirstFrame cues(window, [] { return std::unique_ptr<CuePlayer>(); });
        cues.Prepare();
        cues.PlayCue("INTRO.wav");
        cues.PlayCue("DIAL.wav");
        QCOMPARE(log_.All(), Entries());
    }
};

MARVESTO_TEST_SUITE(SoundAfterFirstFrameTest)
#include "sound_after_first_frame_test.moc"

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

private slots:
    void soundIsReadiedOnceTheFirstFrameIsPainted() {
        CallLog log;
        RecordingCues player(log, nullptr);
        QWidget window;
        SoundAfterFirstFrame cues(window, player);
        cues.Prepare();
        QCoreApplication::processEvents();
        QCOMPARE(log.All(), Entries());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(log.All(), Entries{"prepare sound"});
        cues.PlayCue("INTRO.wav");
        QCOMPARE(log.All(), (Entries{"prepare sound", "cue INTRO.wav"}));
    }

    void cueBeforeTheFirstFrameReadiesTheSoundFirst() {
        CallLog log;
        RecordingCues player(log, nullptr);
        QWidget window;
        SoundAfterFirstFrame cues(window, player);
        cues.Prepare();
        cues.PlayCue("INTRO.wav");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QCOMPARE(log.All(), (Entries{"prepare sound", "cue INTRO.wav"}));
    }
};

MARVESTO_TEST_SUITE(SoundAfterFirstFrameTest)
#include "sound_after_first_frame_test.moc"

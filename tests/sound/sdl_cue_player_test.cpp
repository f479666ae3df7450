// The SDL cue player against SDL's disk driver, which writes what the device
// receives to a file and plays in real time.
#include "files.h"
#include "sdl_cue_player.h"
#include "stderr_capture.h"
#include "suites.h"
#include "test_wav.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <malloc.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define MARVESTO_ADDRESS_SANITIZER
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MARVESTO_ADDRESS_SANITIZER
#endif
#endif
#ifdef MARVESTO_ADDRESS_SANITIZER
#include <sanitizer/allocator_interface.h>
#endif

using marvesto::SdlCuePlayer;
using namespace marvesto::testing;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

// How much longer than its length a cue may block: three times the worst
// overrun measured under load (bench/RESULTS.md), and less than the time the
// player gives a stuck device, so a cue ends because it has played.
constexpr milliseconds kAllowedOverrun{400};

// How long the player blocks on the cue, with its device opened beforehand.
milliseconds TimeToPlay(const std::string& cue) {
    SdlCuePlayer player({});
    player.Prepare();
    const auto start = Clock::now();
    player.PlayCue(cue);
    return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
}

// What malloc holds for the main thread, which reads a cue, and in mapped
// blocks, where large ones such as a cue's samples go; under AddressSanitizer,
// whose allocator malloc's own count does not see, all the process holds.
std::size_t HeldBytes() {
#ifdef MARVESTO_ADDRESS_SANITIZER
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 held = mallinfo2();
    return held.uordblks + held.hblkhd;
#endif
}

} // namespace

class SdlCuePlayerTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    std::string PathOf(const char* name) const { return dir_.filePath(name).toStdString(); }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", dir_.filePath("device.raw").toLocal8Bit());
        qunsetenv("SDL_DISKAUDIODELAY");
    }

    void cleanup() { QFile::remove(dir_.filePath("device.raw")); }

    // The game goes on only when a cue has finished: returning early would
    // show an offer over its dial tone, returning late stalls the game.
    void playsTheWholeCueAndBlocksForItsLength_data() {
        QTest::addColumn<milliseconds>("length");
        QTest::addColumn<WavFormat>("format");
        QTest::addColumn<QByteArray>("deviceDelay");
        QTest::newRow("50 ms, mono, 44100 Hz") << 50ms << WavFormat{44100, 1} << QByteArray();
        QTest::newRow("300 ms, stereo, 22050 Hz") << 300ms << WavFormat{22050, 2} << QByteArray();
        QTest::newRow("700 ms, mono, 22050 Hz") << 700ms << WavFormat{22050, 1} << QByteArray();
        // Like a sound server with deep buffers, this device takes the whole
        // cue long before it has been heard: a buffer of 11.6 ms each 1 ms.
        QTest::newRow("700 ms, to a device that takes it all at once")
            << 700ms << WavFormat{22050, 1} << QByteArray("1");
    }
    void playsTheWholeCueAndBlocksForItsLength() {
        QFETCH(milliseconds, length);
        QFETCH(WavFormat, format);
        QFETCH(QByteArray, deviceDelay);
        if (!deviceDelay.isEmpty()) {
            qputenv("SDL_DISKAUDIODELAY", deviceDelay);
        }
        const auto samples = ToneSamples(length, format);
        WriteBytes(PathOf("cue.wav"), WavFileBytes(samples, format));

        const milliseconds took = TimeToPlay(PathOf("cue.wav"));

        QCOMPARE_GE(took, length);
        QCOMPARE_LE(took, length + kAllowedOverrun);
        // Silence, the cue without a gap, silence: no sample of the tone is
        // zero. The device plays mono at 44100 Hz; a cue in that format it
        // takes as it is, any other converted.
        const std::string device = ReadBytes(PathOf("device.raw"));
        const std::size_t first = device.find_first_not_of('\0') / 2 * 2;
        const std::size_t end = (device.find_last_not_of('\0') / 2 + 1) * 2;
        QVERIFY(first < end);
        const std::string played = device.substr(first, end - first);
        for (std::size_t at = 0; at < played.size(); at += 2) {
            QVERIFY2(played[at] != 0 || played[at + 1] != 0, "a gap in the cue");
        }
        const double playedMs = played.size() / 2 * 1000.0 / 44100;
        QCOMPARE_GE(playedMs, length.count() - 1.0);
        QCOMPARE_LE(playedMs, length.count() + 1.0);
        if (format.rate == 44100 && format.channels == 1) {
            QCOMPARE(played, SampleBytes(samples));
        }
    }

    // A device that stops taking samples must not hang the game: here it
    // takes one small buffer per second, which would need some seventeen
    // seconds for this cue. The player gives up after about one (measured
    // 1.0 s, closing the device included); four leave room for a slow machine.
    // The next cue opens the device afresh.
    void givesUpOnADeviceThatStopsTakingSamples() {
        WriteToneWav(PathOf("cue.wav"), 200ms);
        qputenv("SDL_DISKAUDIODELAY", "1000");
        SdlCuePlayer player({});
        player.Prepare();
        const auto timed = [&] {
            const auto start = Clock::now();
            player.PlayCue(PathOf("cue.wav"));
            return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
        };

        QCOMPARE_LT(timed(), 4000ms);
        qunsetenv("SDL_DISKAUDIODELAY");
        QCOMPARE_LE(timed(), 200ms + kAllowedOverrun);
    }

    // SDL's own SIGINT and SIGTERM handlers would swallow both signals and
    // leave the program running after Ctrl-C or a plain kill.
    void leavesInterruptAndTerminateSignalsAlone() {
        for (const int signal : {SIGINT, SIGTERM}) {
            struct sigaction testHandler {};
            struct sigaction standard {};
            standard.sa_handler = SIG_DFL;
            sigaction(signal, &standard, &testHandler);
            struct sigaction afterPrepare {};
            {
                SdlCuePlayer player({});
                player.Prepare();
                sigaction(signal, nullptr, &afterPrepare);
            }
            sigaction(signal, &testHandler, nullptr);
            QVERIFY2(afterPrepare.sa_handler == SIG_DFL, strsignal(signal));
        }
    }

    // The window paints from inside the waiter; a waiter called thousands of
    // times a second, or with no time to spend, would burn the processor. A
    // cue was held twice while it played, as read and in SDL's queue: a
    // ten-minute cue of 230 MB made the program 486 MB.
    void waitsWithTimeToSpendAndHoldsTheCueOnce() {
        qputenv("SDL_AUDIODRIVER", "dummy");
        const WavFormat format{96000, 2};
        const auto samples = ToneSamples(1000ms, format);
        const auto cueBytes = SampleBytes(samples).size();
        WriteBytes(PathOf("cue.wav"), WavFileBytes(samples, format));
        std::vector<milliseconds> waits;
        std::size_t mostHeld = 0;
        SdlCuePlayer player([&](milliseconds time) {
            waits.push_back(time);
            mostHeld = std::max(mostHeld, HeldBytes());
            std::this_thread::sleep_for(time);
        });
        player.Prepare();
        const std::size_t before = HeldBytes();

        player.PlayCue(PathOf("cue.wav"));

        // At least twenty times a second, and not hundreds.
        QCOMPARE_LE(waits.size(), 100U);
        for (const milliseconds wait : waits) {
            QCOMPARE_GT(wait.count(), 0);
            QCOMPARE_LE(wait, 50ms);
        }
        QCOMPARE_GE(mostHeld - before, cueBytes);
        QCOMPARE_LT(mostHeld - before, cueBytes * 3 / 2);
    }

    // A named pipe in a cue's place blocked the open for ever, and with it
    // the window and its close button. It is skipped like a file that cannot
    // be played, and named once.
    void skipsACueThatIsNoFile() {
        const std::string pipe = PathOf("pipe.wav");
        QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
        // A player stuck waiting for a writer ends the test program instead of
        // hanging it.
        ::alarm(10);
        // SDL's disk driver announces every device it opens.
        qputenv("SDL_AUDIODRIVER", "dummy");
        StderrCapture errors;
        {
            SdlCuePlayer player({});
            player.Prepare();
            player.PlayCue(pipe);
            player.PlayCue(pipe);
        }
        ::alarm(0);

        QCOMPARE(errors.Finish(), std::vector<std::string>{"Marvesto: cannot play " + pipe +
                                                           ": not an ordinary file"});
    }
};

MARVESTO_TEST_SUITE(SdlCuePlayerTest)
#include "sdl_cue_player_test.moc"

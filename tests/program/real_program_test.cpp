// The real program on an X server of the test's own, played as a player plays
// it: with the mouse, with the keyboard alone, through a screen reader, with
// odd start options and without a display. What a player sees is read off
// screenshots; what the player keeps is read from the folder it runs in.
#include "accessibility_bus.h"
#include "expected_window.h"
#include "files.h"
#include "program_on_display.h"
#include "screen_probes.h"
#include "status_labels.h"
#include "suites.h"
#include "window_layout.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

using namespace marvesto;
using namespace marvesto::testing;
using namespace std::chrono_literals;

namespace {

// The first offer lies between these, whatever the prizes drawn.
constexpr int kLowestFirstOffer = 1400;
constexpr int kHighestFirstOffer = 19596;

std::string HighScoreCaption(int amount) {
    return "HISCORE: " + std::to_string(amount);
}

std::string OfferCaption(int amount) {
    return "OFFER: $ " + std::to_string(amount);
}

std::string FinalResultCaption(int amount) {
    return "               YOU WIN!! $ " + std::to_string(amount);
}

using CaptionOf = std::string (*)(int amount);

// Whether the label shows the caption for the amount and not those for one
// less or one more, so that a reading that cannot tell digits apart fails.
// Leaves the right caption set in the expected window.
bool ShowsAmount(ExpectedWindow& expected, const QImage& screen, Control label, CaptionOf caption,
                 int amount) {
    return !expected.ShowsCaption(screen, label, caption(amount - 1)) &&
           !expected.ShowsCaption(screen, label, caption(amount + 1)) &&
           expected.ShowsCaption(screen, label, caption(amount));
}

// The amount of the high-score file's one line as the program writes it; -1
// if the file holds anything else.
int SavedAmount(const std::string& bytes) {
    const QRegularExpressionMatch line = QRegularExpression(QStringLiteral("\\A (\\d+)\\r\\n\\z"))
                                             .match(QString::fromStdString(bytes));
    return line.hasMatch() ? line.captured(1).toInt() : -1;
}

QString CaptionAtStart(Control label) {
    for (const LabelLayout& layout : LabelLayouts()) {
        if (Control::Label(layout.number) == label) {
            return layout.caption;
        }
    }
    return QString();
}

// Puts the expected window into the final screen after a deal.
void ShowFinalScreen(BoardView& board, int ownCase) {
    for (int k = 1; k <= kCaseCount; ++k) {
        board.Hide(Control::Command(k));
        board.Hide(Control::Label(k));
    }
    for (const Control hidden : {kOffer, kDeal, kPrompt}) {
        board.Hide(hidden);
    }
    board.Show(kEnd);
    board.Show(kResult);
    board.SetCaption(kOwnCase, "CASE  " + std::to_string(ownCase));
}

} // namespace

class RealProgramTest : public QObject {
    Q_OBJECT

private:
    TestDisplay display_;

private slots:
    void initTestCase() { QVERIFY2(display_.Failure().isEmpty(), qPrintable(display_.Failure())); }

    // The window is a fixed layout of fixed captions, whatever options the
    // toolkit would otherwise take from the command line.
    void windowIsAsLaidOutWhateverTheOptions_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no options") << QStringList();
        QTest::newRow("toolkit options")
            << QStringList{"-reverse",      "-qwindowtitle", "Hacked",           "-qwindowgeometry",
                           "200x100+30+40", "-stylesheet",   "/nonexistent.qss", "-style",
                           "windows",       "-platform",     "offscreen"};
    }
    void windowIsAsLaidOutWhateverTheOptions() {
        QFETCH(QStringList, arguments);
        PlayerFolder player;
        ProgramOnDisplay program(display_, {.folder = player.Path(), .arguments = arguments});
        QVERIFY2(program.Failure().isEmpty(), qPrintable(program.Failure()));
        const QString id = QString::number(program.Window());
        const ToolRun info = display_.Run("xwininfo", {"-id", id});
        QVERIFY2(info.output.contains("Width: 690\n") && info.output.contains("Height: 505\n"),
                 info.output.constData());
        const ToolRun hints = display_.Run("xprop", {"-id", id, "WM_NORMAL_HINTS"});
        QVERIFY2(hints.output.contains("minimum size: 690 by 505") &&
                     hints.output.contains("maximum size: 690 by 505"),
                 hints.output.constData());
        ExpectedWindow expected;
        expected.Board().SetCaption(kHighScore, HighScoreCaption(0));
        const QImage start =
            program.ScreenUntil([&](const QImage& screen) { return expected.Matches(screen); });
        QVERIFY(expected.Matches(start));
    }

    // The player's best result must survive the run: the offer accepted
    // reaches the file as its one line, the old high score stays on screen
    // until the game is over, and the next start shows the new one.
    void dealThatBeatsTheHighScoreIsShownAtTheNextStart_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<std::string>("stored");
        QTest::addColumn<int>("highScore");
        QTest::newRow("as the program writes it") << true << std::string(" 1234\r\n") << 1234;
        QTest::newRow("written by hand, without the blank") << true << std::string("777\n") << 777;
        QTest::newRow("no file yet") << false << std::string() << 0;
    }
    void dealThatBeatsTheHighScoreIsShownAtTheNextStart() {
        QFETCH(bool, fileExists);
        QFETCH(std::string, stored);
        QFETCH(int, highScore);
        PlayerFolder player;
        const auto file = player.File("Print.txt");
        if (fileExists) {
            WriteBytes(file, stored);
        }
        ExpectedWindow expected;
        int offer = 0;
        {
            ProgramOnDisplay program(display_, {.folder = player.Path()});
            QVERIFY2(program.Failure().isEmpty(), qPrintable(program.Failure()));
            const QImage start = program.ScreenUntil([&](const QImage& screen) {
                return expected.ShowsCaption(screen, kHighScore, HighScoreCaption(highScore));
            });
            QVERIFY(ShowsAmount(expected, start, kHighScore, HighScoreCaption, highScore));

            // The first click uncovers the ladder; the sixth brings the first
            // offer. No cue files lie in the folder, so every cue is silent.
            QCOMPARE(LadderLabelsShown(start), 0);
            QVERIFY(program.OpenCases(6));
            const QImage offered =
                program.ScreenUntil([](const QImage& screen) { return LabelShown(screen, kDeal); });
            QVERIFY(LabelShown(offered, kDeal));
            QCOMPARE(LadderLabelsShown(offered), 21);
            QCOMPARE(ReadBytesIfAny(file), stored);

            QVERIFY(program.Click(kDeal));
            const QImage dealt =
                program.ScreenUntil([](const QImage& screen) { return LabelShown(screen, kEnd); });
            QVERIFY(LabelShown(dealt, kEnd));
            const std::string saved = ReadBytesIfAny(file);
            offer = SavedAmount(saved);
            QVERIFY2(offer >= kLowestFirstOffer && offer <= kHighestFirstOffer, saved.c_str());
            QVERIFY(offer > highScore);

            expected.Board().Hide(kPrompt);
            expected.Board().Show(kOffer);
            expected.Board().Show(kDeal);
            QVERIFY(ShowsAmount(expected, offered, kOffer, OfferCaption, offer));

            // The window keeps the old high score until the next start.
            ShowFinalScreen(expected.Board(), 1);
            expected.Board().SetCaption(kHighScore, HighScoreCaption(highScore));
            expected.Board().SetCaption(kResult, FinalResultCaption(offer));
            const QImage final =
                program.ScreenUntil([&](const QImage& screen) { return expected.Matches(screen); });
            QVERIFY(expected.Matches(final));
            QVERIFY(ShowsAmount(expected, final, kResult, FinalResultCaption, offer));

            QVERIFY(program.Click(kEnd));
            QVERIFY(program.WaitForEnd());
            QCOMPARE(program.ExitStatus(), 0);
            QCOMPARE(ReadBytesIfAny(file), saved);
        }

        ProgramOnDisplay next(display_, {.folder = player.Path()});
        QVERIFY2(next.Failure().isEmpty(), qPrintable(next.Failure()));
        const QImage restarted = next.ScreenUntil([&](const QImage& screen) {
            return expected.ShowsCaption(screen, kHighScore, HighScoreCaption(offer));
        });
        QVERIFY(ShowsAmount(expected, restarted, kHighScore, HighScoreCaption, offer));
    }

    // The keyboard alone plays a whole game: Tab and Shift+Tab move between
    // the cases, Space opens one, D takes the offer and Return ends.
    void keyboardAlonePlaysAWholeGame() {
        PlayerFolder player;
        ProgramOnDisplay program(display_, {.folder = player.Path()});
        QVERIFY2(program.Failure().isEmpty(), qPrintable(program.Failure()));
        const auto pressed = [&program](const QString& key, int gone) {
            QVERIFY(program.Key(key));
            const QImage screen =
                program.ScreenUntil([gone](const QImage& shot) { return !CaseShown(shot, gone); });
            QVERIFY2(!CaseShown(screen, gone), qPrintable(key));
        };
        pressed("space", 1);
        QVERIFY(program.Key("Tab"));
        pressed("space", 3);
        QVERIFY(program.Key("shift+Tab"));
        pressed("space", 2);
        for (int k = 4; k <= 6; ++k) {
            pressed("space", k);
        }
        const QImage offered =
            program.ScreenUntil([](const QImage& screen) { return LabelShown(screen, kDeal); });
        QVERIFY(LabelShown(offered, kDeal));
        QVERIFY(program.Key("d"));
        const QImage final =
            program.ScreenUntil([](const QImage& screen) { return LabelShown(screen, kEnd); });
        QVERIFY(LabelShown(final, kEnd));
        QVERIFY(program.Key("Return"));
        QVERIFY(program.WaitForEnd());
        QCOMPARE(program.ExitStatus(), 0);
        const int offer = SavedAmount(ReadBytesIfAny(player.File("Print.txt")));
        QVERIFY(offer >= kLowestFirstOffer && offer <= kHighestFirstOffer);
    }

    // As a screen reader meets the game: every control read back exactly as
    // shown, in its place, hidden ones not showing; the offer announced as
    // it appears; DEAL and the end label pressed through the bus.
    void screenReaderPlaysAWholeGame() {
        TestDisplay display({.accessibility = true});
        QVERIFY2(display.Failure().isEmpty(), qPrintable(display.Failure()));
        PlayerFolder player;
        ProgramOnDisplay program(display, {.folder = player.Path()});
        QVERIFY2(program.Failure().isEmpty(), qPrintable(program.Failure()));

        const auto controls = AccessibleControls(display);
        QCOMPARE(controls.size(), std::size_t{1 + 26 + 35});
        QCOMPARE(controls.front().name, QStringLiteral("Marvesto?"));
        const QPoint origin = controls.front().box.topLeft();
        std::size_t at = 1;
        for (const CaseButtonLayout& button : CaseButtonLayouts()) {
            const AccessibleControl& read = controls.at(at++);
            QCOMPARE(read.name, button.caption);
            QCOMPARE(read.role, QStringLiteral("push button"));
            QCOMPARE(read.box, ToPixels(button.place).translated(origin));
        }
        for (const LabelLayout& label : LabelLayouts()) {
            const AccessibleControl& read = controls.at(at++);
            const bool pressable =
                label.number == StatusLabel::kDeal || label.number == StatusLabel::kEnd;
            QCOMPARE(read.name, label.number == StatusLabel::kHighScore
                                    ? QString::fromStdString(HighScoreCaption(0))
                                    : label.caption);
            QCOMPARE(read.role,
                     pressable ? QStringLiteral("push button") : QStringLiteral("label"));
            QCOMPARE(read.showing, label.shownAtStart);
            QCOMPARE(read.visible, label.shownAtStart);
            QCOMPARE(read.actions, pressable ? QStringList{"Press"} : QStringList());
            if (label.shownAtStart) {
                QCOMPARE(read.box, ToPixels(label.place).translated(origin));
            }
        }

        AccessibilityEvents events(display);
        QVERIFY(events.Ready());
        QVERIFY(program.OpenCases(6));
        QVERIFY(PressAccessible(display, CaptionAtStart(kDeal)));
        const QImage dealt =
            program.ScreenUntil([](const QImage& screen) { return LabelShown(screen, kEnd); });
        QVERIFY(LabelShown(dealt, kEnd));
        const int offer = SavedAmount(ReadBytesIfAny(player.File("Print.txt")));
        const QString offerCaption = QString::fromStdString(OfferCaption(offer));
        bool offerShowing = false;
        bool offerRead = false;
        for (const AccessibleEvent& event : events.Stop()) {
            // The bus names an event's object as it is when the event is read.
            offerShowing = offerShowing || (event.type == "object:state-changed:showing" &&
                                            event.name.startsWith("OFFER:") && event.detail == 1);
            offerRead = offerRead || (event.type == "object:property-change:accessible-name" &&
                                      event.name == offerCaption);
        }
        QVERIFY(offerShowing);
        QVERIFY2(offerRead, qPrintable(offerCaption));

        const auto final = AccessibleControls(display);
        QCOMPARE(final.size(), controls.size());
        QStringList showing;
        for (const AccessibleControl& read : final) {
            if (read.showing) {
                showing.push_back(read.name);
            }
        }
        QCOMPARE(showing, (QStringList{"Marvesto?", "CASE  1",
                                       CaptionAtStart(Control::Label(StatusLabel::kTitle)),
                                       CaptionAtStart(Control::Label(StatusLabel::kCredit)),
                                       CaptionAtStart(kEnd),
                                       QString::fromStdString(FinalResultCaption(offer)),
                                       QString::fromStdString(HighScoreCaption(0))}));
        QVERIFY(PressAccessible(display, CaptionAtStart(kEnd)));
        QVERIFY(program.WaitForEnd());
        QCOMPARE(program.ExitStatus(), 0);
    }

    // Without a display the program says so in one plain line and fails,
    // instead of Qt's abort with its core dump.
    void withoutADisplayTheProgramSaysSoAndFails_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("named");
        QTest::newRow("nothing set") << ""
                                     << ""
                                     << "needs a graphical display, but DISPLAY is not set";
        QTest::newRow("X named, no DISPLAY") << "xcb"
                                             << ""
                                             << "DISPLAY is not set";
        // No X server answers on display 65000.
        QTest::newRow("DISPLAY without a server") << ""
                                                  << ":65000"
                                                  << "the display \":65000\"";
        QTest::newRow("X named, DISPLAY without a server") << "xcb"
                                                           << ":65000"
                                                           << "\":65000\"";
        // No Wayland compositor runs here, whatever DISPLAY says.
        QTest::newRow("another platform named") << "wayland"
                                                << ":65000"
                                                << "platform \"wayland\"";
    }
    void withoutADisplayTheProgramSaysSoAndFails() {
        QFETCH(QString, platform);
        QFETCH(QString, display);
        QFETCH(QString, named);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        if (!platform.isEmpty()) {
            environment.insert("QT_QPA_PLATFORM", platform);
        }
        if (!display.isEmpty()) {
            environment.insert("DISPLAY", display);
        }
        environment.insert("SDL_AUDIODRIVER", "dummy");
        PlayerFolder player;
        QProcess program;
        EndWithTestProcess(program);
        program.setProcessEnvironment(environment);
        program.setWorkingDirectory(player.Path());
        program.start(GameProgram(), {});
        QVERIFY(program.waitForFinished(static_cast<int>(kPatience.count())));

        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QCOMPARE(program.readAllStandardOutput(), QByteArray());
        const QStringList lines =
            QString::fromLocal8Bit(program.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.front().startsWith("Marvesto ") && lines.front().contains(named),
                 qPrintable(lines.front()));
        QCOMPARE(EntriesIn(player.Path().toStdString()), std::vector<std::string>());
    }
};

MARVESTO_TEST_SUITE(RealProgramTest)
#include "real_program_test.moc"

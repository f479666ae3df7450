// The real program on an X server of the test's own, played like a player
// would with xdotool: its window, the first click seen on screen, the
// keyboard, and the window system's close control.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "xvfb_display.h"

#include <chrono>
#include <memory>

using namespace marvesto::testing;
using namespace std::chrono_literals;

namespace {

const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGreen(0x00, 0xFF, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);

constexpr auto kPatience = 20s;

struct LadderSpot {
    int prize;
    QPoint topLeft;
    QColor band;
};

// Each ladder label's place in the window, with the colour of its band.
const std::vector<LadderSpot> kLadder{
    {26, {168, 328}, kBlue}, {25, {168, 352}, kBlue}, {24, {168, 376}, kBlue},
    {23, {168, 400}, kBlue}, {22, {272, 328}, kBlue}, {21, {272, 352}, kBlue},
    {20, {272, 376}, kBlue}, {19, {272, 400}, kBlue}, {18, {376, 328}, kBlue},
    {17, {376, 352}, kBlue}, {16, {376, 376}, kBlue}, {15, {376, 400}, kBlue},
    {14, {376, 424}, kBlue}, {13, {376, 448}, kBlue}, {12, {480, 328}, kRed},
    {11, {480, 352}, kRed},  {10, {480, 376}, kRed},  {9, {480, 400}, kRed},
    {8, {480, 424}, kRed},   {7, {480, 448}, kRed},   {6, {584, 328}, kRed},
    {5, {584, 352}, kRed},   {4, {584, 376}, kGreen}, {3, {584, 400}, kGreen},
    {2, {584, 424}, kGreen}, {1, {584, 448}, kGreen},
};

// The right end of each label is clear of its caption.
QColor LadderColour(const QImage& screen, const LadderSpot& spot) {
    return screen.pixelColor(spot.topLeft + QPoint(87, 8));
}

int LaddersShowingTheirBand(const QImage& screen) {
    int showing = 0;
    for (const LadderSpot& spot : kLadder) {
        showing += LadderColour(screen, spot) == spot.band ? 1 : 0;
    }
    return showing;
}

// Where a case button stood: its face is grey, the window yellow.
bool CaseShown(const QImage& screen, QPoint centre) {
    return screen.pixelColor(centre + QPoint(0, 12)) != kYellow;
}

const QPoint kCase1(152, 288);
const QPoint kCase2(248, 288);

} // namespace

class RealWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<XvfbDisplay> display_;
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<QProcess> program_;
    std::uint32_t window_ = 0;

    QByteArray Tool(const QString& program, const QStringList& arguments) {
        const ToolRun run = display_->Run(program, arguments);
        if (!run.Succeeded()) {
            qWarning() << program << arguments << "failed:" << run.errors;
        }
        return run.output;
    }

    bool Click(QPoint place) {
        return display_
            ->Run("xdotool", {"mousemove", "--window", QString::number(window_),
                              QString::number(place.x()), QString::number(place.y()), "click", "1"})
            .Succeeded();
    }

    // Screenshots until one satisfies the condition; the last one otherwise.
    template <typename Condition>
    QImage ScreenUntil(Condition condition) {
        QElapsedTimer waited;
        waited.start();
        QImage screen = display_->Screenshot(window_);
        while (!condition(screen) &&
               waited.elapsed() < std::chrono::milliseconds(kPatience).count()) {
            QThread::msleep(100);
            screen = display_->Screenshot(window_);
        }
        return screen;
    }

private slots:
    void initTestCase() {
        display_ = std::make_unique<XvfbDisplay>();
        QVERIFY2(display_->Running(), qPrintable(display_->Failure()));
    }

    // Each test starts the program afresh in an empty working folder.
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        program_ = std::make_unique<QProcess>();
        EndWithTestProcess(*program_);
        program_->setProcessEnvironment(display_->Environment());
        program_->setWorkingDirectory(folder_->path());
        program_->start(QStringLiteral(MARVESTO_PROGRAM), {});
        QVERIFY(program_->waitForStarted());
        window_ = display_->WaitForWindow("Marvesto?", kPatience);
        QVERIFY2(
            window_ != 0,
            qPrintable(QStringLiteral("no window; the program is %1, wrote "
                                      "\"%2\"; the display has: %3")
                           .arg(program_->state() == QProcess::Running ? "running" : "gone")
                           .arg(QString::fromLocal8Bit(program_->readAllStandardError()))
                           .arg(QString::fromLocal8Bit(Tool("xwininfo", {"-root", "-tree"})))));
    }

    void cleanup() {
        if (program_->state() != QProcess::NotRunning) {
            program_->kill();
            program_->waitForFinished();
        }
        program_.reset();
        folder_.reset();
    }

    void windowHasItsTitleAndFixedSize() {
        const QString id = QString::number(window_);
        QCOMPARE(Tool("xdotool", {"getwindowname", id}).trimmed(), QByteArray("Marvesto?"));
        const QByteArray info = Tool("xwininfo", {"-id", id});
        QVERIFY2(info.contains("Width: 690\n") && info.contains("Height: 505\n"), info.constData());
        const QByteArray hints = Tool("xprop", {"-id", id, "WM_NORMAL_HINTS"});
        QVERIFY2(hints.contains("minimum size: 690 by 505") &&
                     hints.contains("maximum size: 690 by 505"),
                 hints.constData());
        QCOMPARE(display_->Screenshot(window_).size(), QSize(690, 505));
    }

    // The prompt hides the ladder until the first click; then all three
    // bands appear where the prompt was.
    void firstClickUncoversTheLadderBands() {
        const QImage start = ScreenUntil(
            [](const QImage& screen) { return !screen.isNull() && CaseShown(screen, kCase1); });
        QVERIFY(!start.isNull());
        QCOMPARE(LaddersShowingTheirBand(start), 0);
        QVERIFY(Click(kCase1));
        const QImage uncovered =
            ScreenUntil([](const QImage& screen) { return LaddersShowingTheirBand(screen) == 26; });
        QCOMPARE(LaddersShowingTheirBand(uncovered), 26);
        QVERIFY(!CaseShown(uncovered, kCase1));
        QVERIFY(CaseShown(uncovered, kCase2));
    }

    // The focus starts on CASE 1 and moves to CASE 2 when CASE 1 goes; the
    // second press opens a case and strikes exactly one prize off.
    void spaceBarOpensTheFocusedCases() {
        QVERIFY(display_->Run("xdotool", {"key", "space"}).Succeeded());
        const QImage first =
            ScreenUntil([](const QImage& screen) { return LaddersShowingTheirBand(screen) == 26; });
        QVERIFY(!CaseShown(first, kCase1));
        QVERIFY(display_->Run("xdotool", {"key", "space"}).Succeeded());
        const QImage second =
            ScreenUntil([](const QImage& screen) { return !CaseShown(screen, kCase2); });
        QVERIFY(!CaseShown(second, kCase2));
        QCOMPARE(LaddersShowingTheirBand(second), 25);
    }

    // As a window manager's close button: the program ends at once, saving
    // nothing.
    void closeControlEndsTheProgram() {
        QVERIFY(Click(kCase1));
        ScreenUntil([](const QImage& screen) { return !CaseShown(screen, kCase1); });
        QVERIFY(display_->RequestClose(window_));
        QVERIFY(program_->waitForFinished(std::chrono::milliseconds(kPatience).count()));
        QCOMPARE(program_->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program_->exitCode(), 0);
        QVERIFY(!QDir(folder_->path()).exists("Print.txt"));
    }
};

QTEST_GUILESS_MAIN(RealWindowTest)
#include "real_window_test.moc"

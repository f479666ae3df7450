// The high score as the player meets it in the real program on a display: the
// stored one at start, the file rewritten by a deal that beats it while the
// window still shows the old one, and the new one at the next start.
#include "expected_window.h"
#include "program_on_display.h"
#include "screen_probes.h"
#include "xvfb_display.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

constexpr int kCasesBeforeFirstOffer = 6;
// The first offer is four times the whole hundreds left in the pool once the
// own case and four more prizes are taken off $490,000.
constexpr int kLowestFirstOffer = 1400;
constexpr int kHighestFirstOffer = 19596;

const QRect kDealPlace(8, 464, 129, 25);
const QRect kEndPlace(8, 216, 673, 49);

std::string HighScoreCaption(int amount) {
    return "HISCORE: " + std::to_string(amount);
}

std::string OfferCaption(int amount) {
    return "OFFER: $ " + std::to_string(amount);
}

std::string FinalResultCaption(int amount) {
    return std::string(15, ' ') + "YOU WIN!! $ " + std::to_string(amount);
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

// The file's bytes; null if there is no file.
QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Puts the expected window into the state of the final screen after a deal
// with case 1 as the own case.
void ShowFinalScreen(BoardView& board) {
    for (int k = 1; k <= Control::kCaseCount; ++k) {
        board.Hide(Control::Command(k));
        board.Hide(Control::Label(k));
    }
    for (const int hidden : {StatusLabel::kOffer, StatusLabel::kDeal, StatusLabel::kPrompt}) {
        board.Hide(Control::Label(hidden));
    }
    for (const int shown : {StatusLabel::kOwnCase, StatusLabel::kEnd, StatusLabel::kResult}) {
        board.Show(Control::Label(shown));
    }
    board.SetCaption(Control::Label(StatusLabel::kOwnCase), "CASE  1");
}

} // namespace

class HighScoreWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<XvfbDisplay> display_;

private slots:
    void initTestCase() {
        display_ = std::make_unique<XvfbDisplay>();
        QVERIFY2(display_->Running(), qPrintable(display_->Failure()));
    }

    void dealThatBeatsTheHighScoreIsSavedAndShownAtTheNextStart_data() {
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("highScore");
        QTest::newRow("as the program writes it") << true << QByteArray(" 1234\r\n") << 1234;
        QTest::newRow("written by hand, without the blank") << true << QByteArray("777\n") << 777;
        QTest::newRow("no file yet") << false << QByteArray() << 0;
    }

    // The player's best result must survive the run: the offer accepted
    // reaches the file as its one line, the old high score stays on screen
    // until the game is over, and the next start shows the new one.
    void dealThatBeatsTheHighScoreIsSavedAndShownAtTheNextStart() {
        QFETCH(bool, fileExists);
        QFETCH(QByteArray, stored);
        QFETCH(int, highScore);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString file = folder.filePath(QStringLiteral("Print.txt"));
        if (fileExists) {
            QVERIFY(WriteFileBytes(file, stored));
        }
        ExpectedWindow expected;
        const Control highScoreLabel = Control::Label(Control::kHighScoreLabel);
        int offer = 0;
        {
            ProgramOnDisplay program(*display_, QStringLiteral(MARVESTO_PROGRAM), folder.path());
            QVERIFY2(program.Failure().isEmpty(), qPrintable(program.Failure()));
            const QImage start = program.ScreenUntil([&](const QImage& screen) {
                return expected.ShowsCaption(screen, highScoreLabel, HighScoreCaption(highScore));
            });
            QVERIFY(ShowsAmount(expected, start, highScoreLabel, HighScoreCaption, highScore));

            // No cue files lie in the folder, so every cue is silent and
            // instant. Case 1 becomes the own case; the sixth click brings the
            // first offer.
            for (int k = 1; k <= kCasesBeforeFirstOffer; ++k) {
                QVERIFY(program.Click(CasePlace(k).center()));
                const QImage opened = program.ScreenUntil(
                    [k](const QImage& screen) { return !CaseShown(screen, k); });
                QVERIFY2(!CaseShown(opened, k), qPrintable(QStringLiteral("case %1").arg(k)));
            }
            const QImage offered = program.ScreenUntil(
                [](const QImage& screen) { return MostlyColoured(screen, kDealPlace, kRed); });
            QVERIFY(MostlyColoured(offered, kDealPlace, kRed));
            // Nothing is written before the deal.
            QCOMPARE(QFile::exists(file), fileExists);
            QCOMPARE(FileBytes(file), stored);

            QVERIFY(program.Click(kDealPlace.center()));
            const QImage dealt = program.ScreenUntil(
                [](const QImage& screen) { return MostlyColoured(screen, kEndPlace, kRed); });
            QVERIFY(MostlyColoured(dealt, kEndPlace, kRed));
            // The deal wrote the offer, as the file's one line.
            const QByteArray saved = FileBytes(file);
            const QRegularExpressionMatch line =
                QRegularExpression(QStringLiteral("\\A (\\d+)\\r\\n\\z"))
                    .match(QString::fromLatin1(saved));
            QVERIFY2(line.hasMatch(), saved.toPercentEncoding(" ").constData());
            offer = line.captured(1).toInt();
            QVERIFY2(offer >= kLowestFirstOffer && offer <= kHighestFirstOffer,
                     qPrintable(QString::number(offer)));
            QVERIFY(offer > highScore);

            expected.Board().Hide(Control::Label(StatusLabel::kPrompt));
            expected.Board().Show(Control::Label(StatusLabel::kOffer));
            expected.Board().Show(Control::Label(StatusLabel::kDeal));
            QVERIFY(ShowsAmount(expected, offered, Control::Label(StatusLabel::kOffer),
                                OfferCaption, offer));

            // The window keeps the old high score until the next start.
            ShowFinalScreen(expected.Board());
            expected.Board().SetCaption(highScoreLabel, HighScoreCaption(highScore));
            expected.Board().SetCaption(Control::Label(StatusLabel::kResult),
                                        FinalResultCaption(offer));
            const QImage final =
                program.ScreenUntil([&](const QImage& screen) { return expected.Matches(screen); });
            QVERIFY(expected.Matches(final));
            QVERIFY(ShowsAmount(expected, final, Control::Label(StatusLabel::kResult),
                                FinalResultCaption, offer));

            QVERIFY(program.Click(kEndPlace.center()));
            QVERIFY(program.WaitForEnd());
            QCOMPARE(program.ExitStatus(), 0);
            QCOMPARE(FileBytes(file), saved);
        }

        ProgramOnDisplay next(*display_, QStringLiteral(MARVESTO_PROGRAM), folder.path());
        QVERIFY2(next.Failure().isEmpty(), qPrintable(next.Failure()));
        const QImage restarted = next.ScreenUntil([&](const QImage& screen) {
            return expected.ShowsCaption(screen, highScoreLabel, HighScoreCaption(offer));
        });
        QVERIFY(ShowsAmount(expected, restarted, highScoreLabel, HighScoreCaption, offer));
        QVERIFY(next.RequestClose());
        QVERIFY(next.WaitForEnd());
    }
};

QTEST_MAIN(HighScoreWindowTest)
#include "high_score_window_test.moc"

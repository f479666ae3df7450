// The window as built, against the layout tables: every control's place,
// colours, caption, font and visibility at start, the stacking where controls
// overlap, the keyboard focus order, and captions that fit their labels.
#include "caption_label.h"
#include "control.h"
#include "marvesto_window.h"
#include "suites.h"
#include "typeface.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPushButton>
#include <QRawFont>
#include <QStyleOptionButton>
#include <QTest>

#include <array>
#include <cmath>
#include <utility>

using namespace marvesto;

namespace {

const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGreen(0x00, 0xFF, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kOfferGreen(0x00, 0xC0, 0x00);
const QColor kPaleYellow(0xFF, 0xFF, 0x80);

// An invalid colour in the tables stands for the platform's button text.
QColor ButtonText() {
    return QApplication::palette().color(QPalette::ButtonText);
}

QColor Resolved(const QColor& colour) {
    return colour.isValid() ? colour : ButtonText();
}

struct Font {
    double points;
    bool bold;
    bool italic;
};

constexpr Font kWindowFont{14.25, false, true};
constexpr Font kBoardFont{11.25, true, false};

QString Blanks(int count) {
    return QString(count, QLatin1Char(' '));
}

const QString kEndCaption = Blanks(28) + "CLICK  TO END YOUR SESSION! ";

// Names of all 61 widgets: the multimedia control has no widget, since the
// cues are played by SDL's audio.
QStringList AllControlNames() {
    QStringList names;
    for (int k = 1; k <= 26; ++k) {
        names.push_back(QStringLiteral("Command%1").arg(k));
    }
    for (int n = 1; n <= 34; ++n) {
        names.push_back(QStringLiteral("Label%1").arg(n));
    }
    names.push_back(QStringLiteral("Label44"));
    return names;
}

QStringList Sorted(QStringList names) {
    names.sort();
    return names;
}

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MarvestoWindow> window_;

    QWidget* Control(const QString& name) const {
        return window_->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    }

    CaptionLabel* Label(const QString& name) const {
        return qobject_cast<CaptionLabel*>(Control(name));
    }

    void AddLabelRow(const QString& name, QRect place, const QString& caption, QColor text,
                     QColor background, bool shown, Font font) {
        QTest::newRow(qPrintable(name)) << name << place << caption << text << background << shown
                                        << font.points << font.bold << font.italic;
    }

    void CheckFont(const QFont& font, double points, bool bold, bool italic) {
        const QFontInfo resolved(font);
        QCOMPARE(resolved.family(), GameTypeface());
        QCOMPARE(resolved.pixelSize(), static_cast<int>(std::lround(points * 96 / 72)));
        QCOMPARE(resolved.bold(), bold);
        QCOMPARE(resolved.italic(), italic);
    }

private slots:
    void init() {
        window_ = std::make_unique<MarvestoWindow>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() { window_.reset(); }

    void windowIsFixedYellowAndTitled() {
        QCOMPARE(window_->objectName(), QStringLiteral("MARVESTO"));
        QCOMPARE(window_->windowTitle(), QStringLiteral("Marvesto?"));
        QCOMPARE(window_->size(), QSize(690, 505));
        QCOMPARE(window_->minimumSize(), QSize(690, 505));
        QCOMPARE(window_->maximumSize(), QSize(690, 505));
        QCOMPARE(window_->palette().color(QPalette::Window), kYellow);
        // At any screen scale (QT_SCALE_FACTOR) the window and all it holds
        // grow together; the rest of this suite holds at that scale too.
        const QImage image = window_->grab().toImage();
        QCOMPARE(image.size(), QSize(690, 505) * window_->devicePixelRatio());
        QCOMPARE(image.pixelColor(QPoint(2, 502) * window_->devicePixelRatio()), kYellow);
        CheckFont(window_->font(), kWindowFont.points, kWindowFont.bold, kWindowFont.italic);
    }

    // 26 buttons and 35 labels, each named as in the game; nothing else.
    void windowHoldsExactlyTheNamedControls() {
        QStringList names;
        for (const QWidget* child : window_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            names.push_back(child->objectName());
        }
        QCOMPARE(Sorted(names), Sorted(AllControlNames()));
        QCOMPARE(window_->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly).size(), 26);
        QCOMPARE(window_->findChildren<CaptionLabel*>(Qt::FindDirectChildrenOnly).size(), 35);
    }

    void caseButtons_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QRect>("place");
        const std::array<int, 7> lefts{16, 112, 208, 304, 400, 496, 592};
        const std::array<std::pair<int, std::array<int, 7>>, 4> rows{{
            {128, {20, 21, 22, 23, 24, 25, 26}},
            {176, {13, 14, 15, 16, 17, 18, 19}},
            {224, {6, 7, 8, 9, 10, 11, 12}},
            {272, {0, 1, 2, 3, 4, 5, 0}},
        }};
        for (const auto& [top, numbers] : rows) {
            for (std::size_t column = 0; column < numbers.size(); ++column) {
                if (numbers[column] != 0) {
                    QTest::addRow("Command%d", numbers[column])
                        << numbers[column] << QRect(lefts[column], top, 81, 33);
                }
            }
        }
    }

    void caseButtons() {
        QFETCH(int, k);
        QFETCH(QRect, place);
        auto* button = qobject_cast<QPushButton*>(Control(QStringLiteral("Command%1").arg(k)));
        QVERIFY(button != nullptr);
        QCOMPARE(button->geometry(), place);
        QCOMPARE(button->text(), QStringLiteral("CASE %1").arg(k));
        QVERIFY(button->isVisible());
        QVERIFY(button->isEnabled());
        QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
        // The platform's own button colours, not the window's yellow.
        QCOMPARE(button->palette().color(QPalette::Button),
                 QApplication::palette().color(QPalette::Button));
        QCOMPARE(button->palette().color(QPalette::ButtonText), ButtonText());
        CheckFont(button->font(), kBoardFont.points, kBoardFont.bold, kBoardFont.italic);
    }

    void labels_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");

        const auto ladder = [this](const char* name, int left, int top, const char* caption,
                                   QColor text, QColor background) {
            AddLabelRow(name, QRect(left, top, 89, 17), caption, text, background, true,
                        kBoardFont);
        };
        ladder("Label26", 168, 328, " 50 CENTS", kWhite, kBlue);
        ladder("Label25", 168, 352, "1 DOLLAR", kWhite, kBlue);
        ladder("Label24", 168, 376, "      $2", kWhite, kBlue);
        ladder("Label23", 168, 400, "      $5", kWhite, kBlue);
        ladder("Label22", 272, 328, "     $10", kWhite, kBlue);
        ladder("Label21", 272, 352, "     $20", kWhite, kBlue);
        ladder("Label20", 272, 376, "     $50", kWhite, kBlue);
        ladder("Label19", 272, 400, "     $75", kWhite, kBlue);
        ladder("Label18", 376, 328, "    $100", kWhite, kBlue);
        ladder("Label17", 376, 352, "    $150", kWhite, kBlue);
        ladder("Label16", 376, 376, "    $200", kWhite, kBlue);
        ladder("Label15", 376, 400, "    $250", kWhite, kBlue);
        ladder("Label14", 376, 424, "    $500", kWhite, kBlue);
        ladder("Label13", 376, 448, "    $750", kWhite, kBlue);
        ladder("Label12", 480, 328, "$    1,000", kWhite, kRed);
        ladder("Label11", 480, 352, "$    2,000", kWhite, kRed);
        ladder("Label10", 480, 376, "$    2,500", kWhite, kRed);
        ladder("Label9", 480, 400, "$    5,000", kWhite, kRed);
        ladder("Label8", 480, 424, "$  10,000", kWhite, kRed);
        ladder("Label7", 480, 448, "$  15,000", kWhite, kRed);
        ladder("Label6", 584, 328, "$  20,000", kWhite, kRed);
        ladder("Label5", 584, 352, "$  30,000", kWhite, kRed);
        ladder("Label4", 584, 376, "$  50,000", QColor(), kGreen);
        ladder("Label3", 584, 400, "$  75,000", QColor(), kGreen);
        ladder("Label2", 584, 424, "$100,000", QColor(), kGreen);
        ladder("Label1", 584, 448, "$200,000", QColor(), kGreen);

        AddLabelRow("Label31", QRect(104, 16, 481, 65), "MARVESTO?", kYellow, kRed, true,
                    {48, false, true});
        AddLabelRow("Label32", QRect(216, 88, 273, 25), "Created by Marvesto Team ", kRed, kYellow,
                    true, kWindowFont);
        AddLabelRow("Label29", QRect(160, 320, 521, 153), " CHOOSE YOUR CASE!", kRed, kYellow, true,
                    {24, true, true});
        AddLabelRow("Label27", QRect(8, 432, 241, 33), "OFFER:", kOfferGreen, kYellow, false,
                    {15.75, true, false});
        AddLabelRow("Label28", QRect(8, 464, 129, 25), ">  DEAL  <", kPaleYellow, kRed, false,
                    {14.25, true, true});
        AddLabelRow("Label30", QRect(296, 472, 105, 25), "", QColor(), kYellow, true,
                    {14.25, true, false});
        AddLabelRow("Label44", QRect(536, 472, 145, 25), "", kRed, kYellow, true,
                    {9.75, true, true});
        AddLabelRow("Label33", QRect(8, 216, 673, 49), kEndCaption, kYellow, kRed, false,
                    kWindowFont);
        AddLabelRow("Label34", QRect(152, 272, 385, 33), "", kYellow, kRed, false, kWindowFont);
    }

    void labels() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        QFETCH(QColor, text);
        QFETCH(QColor, background);
        QFETCH(bool, shown);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(bool, italic);

        CaptionLabel* label = Label(name);
        QVERIFY(label != nullptr);
        QCOMPARE(label->geometry(), place);
        QCOMPARE(label->caption(), caption);
        QCOMPARE(label->palette().color(QPalette::WindowText), Resolved(text));
        QCOMPARE(label->palette().color(QPalette::Window), background);
        QCOMPARE(!label->isHidden(), shown);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(label->autoFillBackground());
        CheckFont(label->font(), points, bold, italic);
    }

    // Raised to the top, each label paints its whole rectangle in its
    // background colour, and its caption in its text colour.
    void labelsPaintOpaqueRectangles_data() { labels_data(); }

    void labelsPaintOpaqueRectangles() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        QFETCH(QColor, text);
        QFETCH(QColor, background);

        CaptionLabel* label = Label(name);
        label->show();
        label->raise();
        const QImage image = window_->grab().toImage();
        const qreal scale = window_->devicePixelRatio();
        const QFontMetrics metrics(label->font());
        const int captionRight = place.left() + metrics.horizontalAdvance(caption);
        for (const QPoint corner : {place.topRight(), place.bottomRight(), place.bottomLeft()}) {
            if (corner.x() > captionRight || corner.y() >= place.top() + metrics.height()) {
                QCOMPARE(image.pixelColor(corner * scale), background);
            }
        }
        if (!caption.trimmed().isEmpty()) {
            int textPixels = 0;
            const QRect pixels(place.topLeft() * scale, place.size() * scale);
            for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
                for (int x = pixels.left(); x <= pixels.right(); ++x) {
                    textPixels += image.pixelColor(x, y) == Resolved(text) ? 1 : 0;
                }
            }
            QVERIFY2(textPixels > 10, "the caption is not drawn in the text colour");
        }
    }

    // Ladder captions keep their leading blanks: the amounts stand aligned.
    void leadingBlanksMoveTheText() {
        Label("Label29")->hide();
        const QImage uncovered = window_->grab().toImage();
        const qreal scale = window_->devicePixelRatio();
        const auto firstTextColumn = [&uncovered, scale](QRect place) {
            const QRect pixels(place.topLeft() * scale, place.size() * scale);
            for (int x = pixels.left(); x <= pixels.right(); ++x) {
                for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
                    if (uncovered.pixelColor(x, y) == kWhite) {
                        return (x - pixels.left()) / scale;
                    }
                }
            }
            return -1.0;
        };
        const QFontMetrics metrics(Label("Label22")->font());
        const int fiveBlanks = metrics.horizontalAdvance(Blanks(5));
        QVERIFY(firstTextColumn(Label("Label22")->geometry()) >= fiveBlanks);
        QVERIFY(firstTextColumn(Label("Label25")->geometry()) < fiveBlanks / 2);
    }

    // Listed from the bottom of the stack to the top: the ladder, then the
    // offer, DEAL, the own case, the title, the credit, the prompt, the end
    // label, the result and the high score.
    void stackingOrderOfTheLabels() {
        QStringList labels;
        for (const QObject* child : window_->children()) {
            if (child->objectName().startsWith("Label")) {
                labels.push_back(child->objectName());
            }
        }
        QCOMPARE(labels.size(), 35);
        for (const QString& ladderLabel : labels.first(26)) {
            QVERIFY2(ladderLabel.mid(5).toInt() <= 26, qPrintable(ladderLabel));
        }
        QCOMPARE(labels.sliced(26),
                 QStringList({"Label27", "Label28", "Label30", "Label31", "Label32", "Label29",
                              "Label33", "Label34", "Label44"}));
    }

    void whatLiesOnTopWhereControlsOverlap_data() {
        QTest::addColumn<QStringList>("shownLabels");
        QTest::addColumn<QStringList>("hiddenLabels");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QString>("onTop");

        const QStringList none;
        QTest::newRow("prompt covers the ladder") << none << none << QPoint(600, 456) << "Label29";
        QTest::newRow("prompt's bottom row lies over the own case")
            << none << none << QPoint(300, 472) << "Label29";
        QTest::newRow("own case below the prompt's bottom row")
            << none << none << QPoint(300, 473) << "Label30";
        QTest::newRow("high score lies over the prompt's bottom row")
            << none << none << QPoint(540, 472) << "Label44";
        QTest::newRow("hidden offer: the prompt where they meet")
            << none << none << QPoint(200, 440) << "Label29";
        QTest::newRow("shown offer still lies under the prompt")
            << QStringList{"Label27"} << none << QPoint(200, 440) << "Label29";
        QTest::newRow("offer once the prompt has gone")
            << QStringList{"Label27"} << QStringList{"Label29"} << QPoint(200, 440) << "Label27";
        QTest::newRow("DEAL lies over the offer's bottom row")
            << QStringList{"Label27", "Label28"} << none << QPoint(50, 464) << "Label28";
        QTest::newRow("ladder once the prompt has gone")
            << none << QStringList{"Label29"} << QPoint(600, 456) << "Label1";
        QTest::newRow("hidden DEAL: the window's background")
            << none << none << QPoint(50, 476) << "MARVESTO";
    }

    void whatLiesOnTopWhereControlsOverlap() {
        QFETCH(QStringList, shownLabels);
        QFETCH(QStringList, hiddenLabels);
        QFETCH(QPoint, place);
        QFETCH(QString, onTop);
        for (const QString& name : shownLabels) {
            window_->Show(marvesto::Control::Label(name.mid(5).toInt()));
        }
        for (const QString& name : hiddenLabels) {
            window_->Hide(marvesto::Control::Label(name.mid(5).toInt()));
        }
        const QWidget* found = window_->childAt(place);
        QCOMPARE(found == nullptr ? window_->objectName() : found->objectName(), onTop);
    }

    void focusStartsOnTheFirstCaseAndRunsThroughTheCases() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        window_->FocusFirstCase();
        QCOMPARE(QApplication::focusWidget(), Control("Command1"));
        QStringList visited;
        for (int press = 0; press < 26; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.push_back(QApplication::focusWidget()->objectName());
        }
        QStringList expected;
        for (int k = 2; k <= 26; ++k) {
            expected.push_back(QStringLiteral("Command%1").arg(k));
        }
        expected.push_back("Command1");
        QCOMPARE(visited, expected);
    }

    void hiddenCasesDropOutOfTheFocusOrder() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        window_->FocusFirstCase();
        window_->Hide(marvesto::Control::Command(2));
        window_->Hide(marvesto::Control::Command(1));
        QCOMPARE(QApplication::focusWidget(), Control("Command3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), Control("Command26"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Control("Command3"));
    }

    // Every caption the game can show, at its widest, stays on one line.
    void captionsFitOnOneLine_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        // The start captions themselves are checked against the tables above.
        const MarvestoWindow window;
        for (const CaptionLabel* label : window.findChildren<CaptionLabel*>()) {
            QTest::newRow(qPrintable(label->objectName() + " at start"))
                << label->objectName() << label->caption();
        }
        QTest::newRow("widest offer") << "Label27"
                                      << "OFFER: $ 333333";
        QTest::newRow("smallest offer") << "Label27"
                                        << "OFFER: $ .5";
        QTest::newRow("own case 26") << "Label30"
                                     << "CASE  26";
        QTest::newRow("widest high score") << "Label44"
                                           << "HISCORE: 333333";
        QTest::newRow("largest high score") << "Label44"
                                            << "HISCORE: 200000";
        QTest::newRow("final screen result") << "Label34" << Blanks(15) + "YOU WIN!! $ 333333";
        QTest::newRow("result after the end") << "Label34"
                                              << "YOU WIN!! $ 333333";
        QTest::newRow("result of 50 cents") << "Label34" << Blanks(15) + "YOU WIN!! $ .5";
    }

    void captionsFitOnOneLine() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        CaptionLabel* label = Label(name);
        QVERIFY(label != nullptr);
        const QFontMetrics metrics(label->font());
        const auto laidOut = [&metrics, label](const QString& text) {
            return metrics.boundingRect(QRect(QPoint(0, 0), label->size()),
                                        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        };
        QVERIFY2(metrics.horizontalAdvance(caption) <= label->width(),
                 qPrintable(QStringLiteral("%1 px wide in %2 px")
                                .arg(metrics.horizontalAdvance(caption))
                                .arg(label->width())));
        QCOMPARE(laidOut(caption).height(), laidOut(QStringLiteral("X")).height());
    }

    void caseCaptionsFitTheirButtons() {
        for (QPushButton* button : window_->findChildren<QPushButton*>()) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect contents =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(button->text()) <=
                         contents.width(),
                     qPrintable(button->objectName()));
        }
    }

    // Where Orbit-B BT is missing the program uses the DejaVu Sans it carries
    // in all three styles the window needs, whatever the machine has installed.
    void bundledTypefaceHasTheStylesTheWindowUses_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("style");
        QTest::newRow("bold") << ":/fonts/DejaVuSans-Bold.ttf"
                              << "Bold";
        QTest::newRow("italic") << ":/fonts/DejaVuSans-Oblique.ttf"
                                << "Oblique";
        QTest::newRow("bold italic") << ":/fonts/DejaVuSans-BoldOblique.ttf"
                                     << "Bold Oblique";
    }

    void bundledTypefaceHasTheStylesTheWindowUses() {
        QFETCH(QString, file);
        QFETCH(QString, style);
        const QRawFont font(file, 19);
        QVERIFY(font.isValid());
        QCOMPARE(font.familyName(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(font.styleName(), style);
    }
};

MARVESTO_TEST_SUITE(WindowLayoutTest)
#include "window_layout_test.moc"

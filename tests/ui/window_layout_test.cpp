// The window as built, against the layout: every control's place, colours,
// caption, font and visibility at start, the stacking where controls overlap,
// the keyboard focus order, and captions that fit their labels.
#include "caption_label.h"
#include "marvesto_window.h"
#include "suites.h"
#include "typeface.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QRawFont>
#include <QStyleOptionButton>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

using namespace marvesto;

namespace {

QColor ButtonText() {
    return QApplication::palette().color(QPalette::ButtonText);
}

// An invalid colour in the statement stands for the platform's button text.
QColor Resolved(const QColor& colour) {
    return colour.isValid() ? colour : ButtonText();
}

struct LabelRow {
    int number = 0;
    QRect place;
    QString caption;
    QColor text;
    QColor background;
    bool shown = false;
    FontSpec font{};
};

// The window as laid out, stated once for every front end's tests.
const QJsonObject& Statement() {
    static const QJsonObject statement = [] {
        QFile file(QStringLiteral(MARVESTO_SOURCE_DIR "/tests/support/window_layout.json"));
        if (!file.open(QIODevice::ReadOnly)) {
            throw std::runtime_error("cannot read the window's layout statement");
        }
        return QJsonDocument::fromJson(file.readAll()).object();
    }();
    return statement;
}

QColor Colour(const QJsonValue& value) {
    return value.isNull() ? QColor() : QColor(value.toString());
}

QRect Place(const QJsonValue& value) {
    const QJsonArray place = value.toArray();
    return {place[0].toInt(), place[1].toInt(), place[2].toInt(), place[3].toInt()};
}

FontSpec Font(const QJsonValue& value) {
    const QJsonObject font = value.toObject();
    return {font["points"].toDouble(), font["bold"].toBool(), font["italic"].toBool()};
}

const QJsonObject& Window() {
    static const QJsonObject window = Statement()["window"].toObject();
    return window;
}

QColor WindowBackground() {
    return Colour(Window()["background"]);
}

// From the bottom of the stack to the top: the ladder, Label26 first and
// Label1 last, then the other labels, which all lie over it.
std::vector<LabelRow> AllLabels() {
    std::vector<LabelRow> labels;
    for (const QJsonValue& value : Statement()["labels"].toArray()) {
        const QJsonObject label = value.toObject();
        labels.push_back({label["number"].toInt(), Place(label["place"]),
                          label["caption"].toString(), Colour(label["text"]),
                          Colour(label["background"]), label["shown"].toBool(),
                          Font(label["font"])});
    }
    return labels;
}

constexpr int kLadderLabels = 26;

// What lies on top at a place once the given labels are shown and hidden.
struct Overlap {
    const char* what = nullptr;
    QList<int> shown;
    QList<int> hidden;
    QPoint place;
    QString onTop;
};

const std::vector<Overlap> kOverlaps{
    {"prompt covers the ladder", {}, {}, {600, 456}, "Label29"},
    {"prompt's bottom row lies over the own case", {}, {}, {300, 472}, "Label29"},
    {"own case below the prompt's bottom row", {}, {}, {300, 473}, "Label30"},
    {"high score lies over the prompt's bottom row", {}, {}, {540, 472}, "Label44"},
    {"hidden offer: the prompt where they meet", {}, {}, {200, 440}, "Label29"},
    {"shown offer still lies under the prompt", {27}, {}, {200, 440}, "Label29"},
    {"offer once the prompt has gone", {27}, {29}, {200, 440}, "Label27"},
    {"DEAL lies over the offer's bottom row", {27, 28}, {}, {50, 464}, "Label28"},
    {"ladder once the prompt has gone", {}, {29}, {600, 456}, "Label1"},
    {"hidden DEAL: the window's background", {}, {}, {50, 476}, "MARVESTO"},
};

void CheckFont(const QFont& font, const FontSpec& spec) {
    const QFontInfo resolved(font);
    QCOMPARE(resolved.family(), GameTypeface());
    QCOMPARE(resolved.pixelSize(), static_cast<int>(std::lround(spec.points * 96 / 72)));
    QCOMPARE(resolved.bold(), spec.bold);
    QCOMPARE(resolved.italic(), spec.italic);
}

void CheckFitsOnOneLine(const CaptionLabel& label, const QString& caption) {
    const QFontMetrics metrics(label.font());
    const auto laidOut = [&metrics, &label](const QString& text) {
        return metrics.boundingRect(QRect(QPoint(0, 0), label.size()),
                                    Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    };
    QCOMPARE_LE(metrics.horizontalAdvance(caption), label.width());
    QCOMPARE(laidOut(caption).height(), laidOut(QStringLiteral("X")).height());
}

} // namespace

Q_DECLARE_METATYPE(LabelRow)
Q_DECLARE_METATYPE(FontSpec)
Q_DECLARE_METATYPE(Overlap)

class WindowLayoutTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MarvestoWindow> window_;

    QWidget* Widget(const QString& name) const {
        return window_->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    }

    CaptionLabel* Label(int number) const {
        return qobject_cast<CaptionLabel*>(Widget(QStringLiteral("Label%1").arg(number)));
    }

    QImage Grab() const { return window_->grab().toImage(); }

    // The names of the window's controls of this kind, from the bottom of the
    // stack to the top.
    template <typename Kind>
    QStringList Names() const {
        QStringList names;
        for (const Kind* child : window_->findChildren<Kind*>(Qt::FindDirectChildrenOnly)) {
            names.push_back(child->objectName());
        }
        return names;
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
        QCOMPARE(window_->objectName(), Window()["name"].toString());
        QCOMPARE(window_->palette().color(QPalette::Window), WindowBackground());
        // At any screen scale (QT_SCALE_FACTOR) the window and all it holds
        // grow together; the rest of this suite holds at that scale too.
        const QImage image = Grab();
        QCOMPARE(image.size(), QSize(690, 505) * window_->devicePixelRatio());
        QCOMPARE(image.pixelColor(QPoint(2, 502) * window_->devicePixelRatio()),
                 WindowBackground());
        CheckFont(window_->font(), Font(Window()["font"]));
    }

    // 26 buttons and 35 labels, each named as in the game, and nothing else:
    // the cues have no widget. The ladder lies at the bottom of the labels'
    // stack, the other labels over it in the order of their table.
    void controlsAndTheStackingOfTheLabels() {
        QStringList expected;
        for (int k = 1; k <= 26; ++k) {
            expected.push_back(QStringLiteral("Command%1").arg(k));
        }
        for (const LabelRow& label : AllLabels()) {
            expected.push_back(QStringLiteral("Label%1").arg(label.number));
        }
        QCOMPARE(Names<QPushButton>().size(), 26);
        const QStringList labels = Names<CaptionLabel>();
        QCOMPARE(labels.size(), 35);
        for (const QString& ladderLabel : labels.first(kLadderLabels)) {
            QVERIFY2(ladderLabel.mid(5).toInt() <= kLadderLabels, qPrintable(ladderLabel));
        }
        QCOMPARE(labels.sliced(kLadderLabels), expected.last(35 - kLadderLabels));
        QStringList names = Names<QWidget>();
        names.sort();
        expected.sort();
        QCOMPARE(names, expected);
    }

    void caseButtons_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        for (const QJsonValue& value : Statement()["cases"].toArray()) {
            const QJsonObject button = value.toObject();
            const int k = button["number"].toInt();
            QTest::addRow("Command%d", k)
                << k << Place(button["place"]) << button["caption"].toString();
        }
    }

    void caseButtons() {
        QFETCH(int, k);
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        auto* button = qobject_cast<QPushButton*>(Widget(QStringLiteral("Command%1").arg(k)));
        QVERIFY(button != nullptr);
        QCOMPARE(button->geometry(), place);
        QCOMPARE(button->text(), caption);
        QVERIFY(button->isVisible());
        QVERIFY(button->isEnabled());
        QCOMPARE(button->focusPolicy(), Qt::StrongFocus);
        // The platform's own button colours, not the window's yellow.
        QCOMPARE(button->palette().color(QPalette::Button),
                 QApplication::palette().color(QPalette::Button));
        QCOMPARE(button->palette().color(QPalette::ButtonText), ButtonText());
        CheckFont(button->font(), Font(Statement()["cases"][k - 1]["font"]));
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QVERIFY(QFontMetrics(button->font()).horizontalAdvance(button->text()) <= contents.width());
    }

    void labels_data() {
        QTest::addColumn<LabelRow>("row");
        for (const LabelRow& row : AllLabels()) {
            QTest::addRow("Label%d", row.number) << row;
        }
    }

    void labels() {
        QFETCH(LabelRow, row);
        CaptionLabel* label = Label(row.number);
        QVERIFY(label != nullptr);
        QCOMPARE(label->geometry(), row.place);
        QCOMPARE(label->caption(), row.caption);
        QCOMPARE(label->palette().color(QPalette::WindowText), Resolved(row.text));
        QCOMPARE(label->palette().color(QPalette::Window), row.background);
        QCOMPARE(!label->isHidden(), row.shown);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        QVERIFY(label->autoFillBackground());
        CheckFont(label->font(), row.font);
        CheckFitsOnOneLine(*label, row.caption);

        // Raised to the top, the label paints its whole rectangle in its
        // background colour, and its caption in its text colour.
        label->show();
        label->raise();
        const QImage image = Grab();
        const qreal scale = window_->devicePixelRatio();
        const QFontMetrics metrics(label->font());
        const QRect& place = row.place;
        const int captionRight = place.left() + metrics.horizontalAdvance(row.caption);
        for (const QPoint corner : {place.topRight(), place.bottomRight(), place.bottomLeft()}) {
            if (corner.x() > captionRight || corner.y() >= place.top() + metrics.height()) {
                QCOMPARE(image.pixelColor(corner * scale), row.background);
            }
        }
        if (!row.caption.trimmed().isEmpty()) {
            int textPixels = 0;
            const QRect pixels(place.topLeft() * scale, place.size() * scale);
            for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
                for (int x = pixels.left(); x <= pixels.right(); ++x) {
                    textPixels += image.pixelColor(x, y) == Resolved(row.text) ? 1 : 0;
                }
            }
            QVERIFY2(textPixels > 10, "the caption is not drawn in the text colour");
        }
    }

    // Ladder captions keep their leading blanks: the amounts stand aligned.
    void leadingBlanksMoveTheText() {
        Label(29)->hide();
        const QImage uncovered = Grab();
        const qreal scale = window_->devicePixelRatio();
        const std::vector<LabelRow> labels = AllLabels();
        const QColor ladderText = std::ranges::find(labels, 22, &LabelRow::number)->text;
        const auto firstTextColumn = [&uncovered, &ladderText, scale](QRect place) {
            const QRect pixels(place.topLeft() * scale, place.size() * scale);
            for (int x = pixels.left(); x <= pixels.right(); ++x) {
                for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
                    if (uncovered.pixelColor(x, y) == ladderText) {
                        return (x - pixels.left()) / scale;
                    }
                }
            }
            return -1.0;
        };
        const int fiveBlanks = QFontMetrics(Label(22)->font()).horizontalAdvance(QString(5, ' '));
        QVERIFY(firstTextColumn(Label(22)->geometry()) >= fiveBlanks);
        QVERIFY(firstTextColumn(Label(25)->geometry()) < fiveBlanks / 2);
    }

    void whatLiesOnTopWhereControlsOverlap_data() {
        QTest::addColumn<Overlap>("overlap");
        for (const Overlap& overlap : kOverlaps) {
            QTest::newRow(overlap.what) << overlap;
        }
    }

    void whatLiesOnTopWhereControlsOverlap() {
        QFETCH(Overlap, overlap);
        for (const int number : overlap.shown) {
            window_->Show(Control::Label(number));
        }
        for (const int number : overlap.hidden) {
            window_->Hide(Control::Label(number));
        }
        const QWidget* found = window_->childAt(overlap.place);
        QCOMPARE(found == nullptr ? window_->objectName() : found->objectName(), overlap.onTop);
    }

    // The focus starts on CASE 1, Tab runs through the cases in order, and
    // hidden cases drop out of the round.
    void focusRunsThroughTheCasesShown() {
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        window_->FocusFirstCase();
        QCOMPARE(QApplication::focusWidget(), Widget("Command1"));
        QStringList visited;
        QStringList expected;
        for (int press = 1; press <= 26; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.push_back(QApplication::focusWidget()->objectName());
            expected.push_back(QStringLiteral("Command%1").arg(press % 26 + 1));
        }
        QCOMPARE(visited, expected);
        window_->Hide(Control::Command(2));
        window_->Hide(Control::Command(1));
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), Widget("Command3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), Widget("Command26"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Widget("Command3"));
    }

    // The widest caption the game can show in each label stays on one line;
    // the captions at start are checked with the labels.
    void captionsFitOnOneLine_data() {
        QTest::addColumn<int>("label");
        QTest::addColumn<QString>("caption");
        QTest::newRow("widest offer") << 27 << "OFFER: $ 333333";
        QTest::newRow("own case 26") << 30 << "CASE  26";
        QTest::newRow("widest high score") << 44 << "HISCORE: 333333";
        QTest::newRow("largest high score") << 44 << "HISCORE: 200000";
        QTest::newRow("final screen result") << 34 << QString(15, ' ') + "YOU WIN!! $ 333333";
        QTest::newRow("result after the end") << 34 << "YOU WIN!! $ 333333";
    }

    void captionsFitOnOneLine() {
        QFETCH(int, label);
        QFETCH(QString, caption);
        CheckFitsOnOneLine(*Label(label), caption);
    }

    // Where Orbit-B BT is missing, each style the window uses is drawn with
    // the DejaVu Sans file the game carries: the system's copy of the very
    // same file, or on a machine without it (the run without fonts) the file
    // beside the program. The font header holds the file's checksum and dates.
    void drawsEachStyleWithTheDejaVuFileTheGameCarries_data() {
        QTest::addColumn<FontSpec>("spec");
        QTest::addColumn<QString>("style");
        QTest::newRow("bold") << FontSpec{11.25, true, false} << "Bold";
        QTest::newRow("italic") << FontSpec{14.25, false, true} << "Oblique";
        QTest::newRow("bold italic") << FontSpec{14.25, true, true} << "Bold Oblique";
    }
    void drawsEachStyleWithTheDejaVuFileTheGameCarries() {
        QFETCH(FontSpec, spec);
        QFETCH(QString, style);
        const QRawFont drawn = QRawFont::fromFont(GameFont(spec));
        const QRawFont carried(MARVESTO_SOURCE_DIR "/assets/fonts/DejaVuSans-" +
                                   QString(style).remove(' ') + ".ttf",
                               drawn.pixelSize());
        QVERIFY(carried.isValid());
        QCOMPARE(drawn.familyName(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(drawn.styleName(), style);
        QCOMPARE(drawn.fontTable("head"), carried.fontTable("head"));
    }
};

MARVESTO_TEST_SUITE(WindowLayoutTest)
#include "window_layout_test.moc"

// What assistive technology gets from the window through Qt's accessibility
// interface: every control by its caption, exactly as shown, with its role,
// place and state; the press actions of DEAL and the end label; and the
// events that tell a screen reader that a label appeared or changed its
// caption, which it would otherwise go on reading as it was.
#include "caption_label.h"
#include "suites.h"
#include "window_rig.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include <vector>

using namespace marvesto;
using namespace marvesto::testing;

namespace {

// The accessibility events and the controls they came from.
using Heard = std::vector<std::pair<QAccessible::Event, QString>>;
Heard heard;

void Hear(QAccessibleEvent* event) {
    heard.emplace_back(event->type(), event->object()->objectName());
}

QAccessibleInterface* Accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private:
    // Every control of the window is one accessible object named by what it
    // shows, in the role of what it is, at its place, showing exactly when
    // it is shown.
    static void CheckEveryControl(const WindowRig& play) {
        QAccessibleInterface* window = Accessible(const_cast<MarvestoWindow*>(&play.window));
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Marvesto?"));
        const auto controls = play.window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(window->childCount(), controls.size());
        for (QWidget* control : controls) {
            QAccessibleInterface* accessible = Accessible(control);
            QCOMPARE(accessible->parent(), window);
            const auto* label = qobject_cast<CaptionLabel*>(control);
            if (label == nullptr) {
                QCOMPARE(accessible->role(), QAccessible::Button);
                QCOMPARE(accessible->text(QAccessible::Name),
                         qobject_cast<QPushButton*>(control)->text());
            } else {
                QCOMPARE(accessible->role(),
                         label->isPressable() ? QAccessible::Button : QAccessible::StaticText);
                QCOMPARE(accessible->text(QAccessible::Name), label->caption());
            }
            QCOMPARE(accessible->state().invisible, control->isHidden());
            if (!control->isHidden()) {
                QCOMPARE(accessible->rect(),
                         QRect(control->mapToGlobal(QPoint(0, 0)), control->size()));
            }
        }
    }

private slots:
    void initTestCase() {
        // Qt learns from the bus that a screen reader is on shortly after start.
        QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(),
                                  "run by tests/program/in_process_accessibility.py", 30000);
        QAccessible::installUpdateHandler(Hear);
    }

    // Through a whole game every control is read as shown, and the offer's
    // appearance and new caption are made known. Only DEAL and the end
    // label act: each names its keys, and is pressed like a click (which
    // press counts is the driver's rule, tested there).
    void aWholeGameAsAScreenReaderSeesIt() {
        WindowRig play;
        play.rig.ScriptPrizes(WorkedExample());
        play.Start(200000);
        CheckEveryControl(play);
        QCOMPARE(Accessible(play.Widget(kDeal))->text(QAccessible::Description),
                 QStringLiteral("Key: D"));
        QCOMPARE(Accessible(play.Widget(kEnd))->text(QAccessible::Description),
                 QStringLiteral("Keys: Return, Enter, Space"));
        QCOMPARE(Accessible(play.Widget(kOffer))->actionInterface()->actionNames(), QStringList());
        play.ClickNext(kClicksToFirstOffer - 1);
        heard.clear();
        play.ClickNext(1);
        std::erase_if(heard, [](const auto& e) {
            return e.first != QAccessible::ObjectShow && e.first != QAccessible::NameChanged;
        });
        const Heard offer{{QAccessible::ObjectShow, QStringLiteral("Label27")},
                          {QAccessible::NameChanged, QStringLiteral("Label27")},
                          {QAccessible::ObjectShow, QStringLiteral("Label28")}};
        QCOMPARE(heard, offer);
        CheckEveryControl(play);
        const auto press = [&play](Control label) {
            Accessible(play.Widget(label))
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        };
        press(kDeal);
        QCOMPARE(play.ShownControls(), FinalScreenControls());
        CheckEveryControl(play);
        press(kEnd);
        QCOMPARE(play.rig.log.All().back(), std::string("exit 0"));
    }
};

MARVESTO_TEST_SUITE(AccessibilityTest)
#include "accessibility_test.moc"

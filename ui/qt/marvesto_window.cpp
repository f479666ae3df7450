#include "marvesto_window.h"

#include "layout_in_qt.h"
#include "readable_text.h"
#include "run_time_error.h"
#include "typeface.h"
#include "window_accessibility.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>
#include <iterator>
#include <vector>

namespace marvesto {

namespace {

QString ObjectName(Control control) {
    return QString::fromStdString(control.Name());
}

QStringList KeyNames(const std::vector<Key>& keys) {
    QStringList names;
    std::transform(keys.begin(), keys.end(), std::back_inserter(names), [](Key key) {
        return QKeySequence(ToQtKey(key)).toString(QKeySequence::NativeText);
    });
    return names;
}

} // namespace

MarvestoWindow::MarvestoWindow(QWidget* parent) : QWidget(parent) {
    InstallWindowAccessibility();
    const WindowLayout layout = MainWindowLayout();
    setObjectName(ToQString(layout.name));
    setWindowTitle(ToQString(layout.title));
    // The layout is fixed: no locale or toolkit option mirrors it.
    setLayoutDirection(Qt::LeftToRight);
    setFixedSize(ToQRect(layout.clientArea).size());
    // A window of fixed size has nothing to maximise; some window managers
    // draw the button all the same unless the window says so.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QPalette background = palette();
    background.setColor(QPalette::Window, ToQColor(layout.background));
    setPalette(background);
    setAutoFillBackground(true);
    setFont(GameFont(layout.font));

    // Created from the bottom of the stack to the top, so that each control
    // lies over those created before it.
    BuildCaseButtons();
    BuildLabels();
    QApplication::instance()->installEventFilter(this);
}

void MarvestoWindow::BuildCaseButtons() {
    for (const CaseButtonLayout& layout : CaseButtonLayouts()) {
        const Control control = Control::Command(layout.number);
        auto* button = new QPushButton(ToQString(layout.caption), this);
        button->setObjectName(ObjectName(control));
        button->setGeometry(ToQRect(layout.place));
        button->setFont(GameFont(layout.font));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, k = layout.number] { emit caseClicked(k); });
        if (!caseButtons_.empty()) {
            setTabOrder(caseButtons_.back(), button);
        }
        caseButtons_.push_back(button);
        controls_[control] = button;
    }
}

void MarvestoWindow::BuildLabels() {
    const Rgb buttonText = ToRgb(QApplication::palette().color(QPalette::ButtonText));
    for (const LabelLayout& layout : LabelLayouts()) {
        const Control control = Control::Label(layout.number);
        auto* label = new CaptionLabel(ToQString(layout.caption), this);
        label->setObjectName(ObjectName(control));
        label->setGeometry(ToQRect(layout.place));
        if (layout.font) {
            label->setFont(GameFont(*layout.font));
        }
        QPalette colours = label->palette();
        colours.setColor(QPalette::Window, ToQColor(layout.background));
        colours.setColor(
            QPalette::WindowText,
            ToQColor(layout.text.value_or(ReadableButtonText(buttonText, layout.background))));
        label->setPalette(colours);
        label->setVisible(layout.shownAtStart);
        controls_[control] = label;
        labels_[control] = label;
    }
    connect(labels_.at(Control::Label(StatusLabel::kDeal)), &CaptionLabel::clicked, this,
            &MarvestoWindow::dealClicked);
    connect(labels_.at(Control::Label(StatusLabel::kEnd)), &CaptionLabel::clicked, this,
            &MarvestoWindow::endClicked);
    for (const auto& [number, keys] : PressableLabels()) {
        labels_.at(Control::Label(number))->makePressable(KeyNames(keys));
    }
}

QWidget& MarvestoWindow::Find(Control control) const {
    const auto found = controls_.find(control);
    if (found == controls_.end()) {
        throw RunTimeError("The window has no control " + control.Name());
    }
    return *found->second;
}

void MarvestoWindow::Show(Control label) {
    Find(label).show();
}

void MarvestoWindow::Hide(Control control) {
    QWidget& widget = Find(control);
    // Qt would pass the focus on at once, from case to case as the final
    // screen hides them one after another; a screen reader falls behind such
    // a flood of focus changes and drops the news that follows it. The focus
    // passes on once the window takes events again, before any key or paint.
    if (QApplication::focusWidget() == &widget) {
        widget.clearFocus();
        focusLeft_ = &widget;
        QMetaObject::invokeMethod(this, &MarvestoWindow::PassFocusOn, Qt::QueuedConnection);
    }
    widget.hide();
}

void MarvestoWindow::PassFocusOn() {
    QWidget* const from = std::exchange(focusLeft_, nullptr);
    if (from == nullptr || QApplication::focusWidget() != nullptr) {
        return;
    }
    for (QWidget* next = from->nextInFocusChain(); next != from; next = next->nextInFocusChain()) {
        if (next->isVisibleTo(this) && (next->focusPolicy() & Qt::TabFocus) != 0) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    // No case is left to take the keys: the window takes them.
    setFocus(Qt::OtherFocusReason);
}

void MarvestoWindow::SetCaption(Control label, const std::string& text) {
    const auto found = labels_.find(label);
    if (found == labels_.end()) {
        throw RunTimeError(label.Name() + " has no caption to set");
    }
    found->second->setCaption(QString::fromStdString(text));
}

bool MarvestoWindow::IsShown(Control control) const {
    return !Find(control).isHidden();
}

void MarvestoWindow::FocusFirstCase() {
    caseButtons_.front()->setFocus(Qt::OtherFocusReason);
}

void MarvestoWindow::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
        Qt::NoModifier;
    if (plain && !event->isAutoRepeat()) {
        for (const auto& [number, keys] : PressableLabels()) {
            if (std::ranges::any_of(keys,
                                    [event](Key key) { return ToQtKey(key) == event->key(); })) {
                emit labels_.at(Control::Label(number))->clicked();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

bool MarvestoWindow::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        PassFocusOn();
    }
    return false;
}

void MarvestoWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeRequested();
}

} // namespace marvesto

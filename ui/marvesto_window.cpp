#include "marvesto_window.h"

#include "run_time_error.h"
#include "window_layout.h"

#include <QApplication>
#include <QCloseEvent>

namespace marvesto {

namespace {

QString ObjectName(Control control) {
    return QString::fromStdString(control.Name());
}

} // namespace

MarvestoWindow::MarvestoWindow(QWidget* parent) : QWidget(parent) {
    const WindowLayout layout = MainWindowLayout();
    setObjectName(layout.name);
    setWindowTitle(layout.title);
    setFixedSize(ToPixels(layout.clientArea).size());
    QPalette background = palette();
    background.setColor(QPalette::Window, layout.background);
    setPalette(background);
    setAutoFillBackground(true);
    setFont(GameFont(layout.font));

    // Created from the bottom of the stack to the top, so that each control
    // lies over those created before it.
    BuildCaseButtons();
    BuildLabels();
}

void MarvestoWindow::BuildCaseButtons() {
    for (const CaseButtonLayout& layout : CaseButtonLayouts()) {
        const Control control = Control::Command(layout.number);
        auto* button = new QPushButton(layout.caption, this);
        button->setObjectName(ObjectName(control));
        button->setGeometry(ToPixels(layout.place));
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
    const QColor buttonText = QApplication::palette().color(QPalette::ButtonText);
    for (const LabelLayout& layout : LabelLayouts()) {
        const Control control = Control::Label(layout.number);
        auto* label = new CaptionLabel(layout.caption, this);
        label->setObjectName(ObjectName(control));
        label->setGeometry(ToPixels(layout.place));
        if (layout.font) {
            label->setFont(GameFont(*layout.font));
        }
        QPalette colours = label->palette();
        colours.setColor(QPalette::Window, layout.background);
        colours.setColor(QPalette::WindowText, layout.text.value_or(buttonText));
        label->setPalette(colours);
        label->setVisible(layout.shownAtStart);
        controls_[control] = label;
        labels_[control] = label;
    }
    connect(labels_.at(Control::Label(StatusLabel::kDeal)), &CaptionLabel::clicked, this,
            &MarvestoWindow::dealClicked);
    connect(labels_.at(Control::Label(StatusLabel::kEnd)), &CaptionLabel::clicked, this,
            &MarvestoWindow::endClicked);
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
    Find(control).hide();
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

void MarvestoWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeRequested();
}

} // namespace marvesto

#include "wired_game.h"

#include "caption_label.h"
#include "game_rig.h"

#include <QTest>

#include <stdexcept>

namespace marvesto::testing {

void LoggingBoard::Show(Control label) {
    log_.push_back("show " + label.Name());
    window_.Show(label);
}

void LoggingBoard::Hide(Control control) {
    log_.push_back("hide " + control.Name());
    window_.Hide(control);
}

void LoggingBoard::SetCaption(Control label, const std::string& text) {
    log_.push_back("caption " + label.Name() + " [" + text + "]");
    window_.SetCaption(label, text);
}

void WiredGame::Start() {
    driver.FormLoad();
    window.show();
    window.FocusFirstCase();
    if (!QTest::qWaitForWindowExposed(&window)) {
        throw std::runtime_error("the window was never exposed");
    }
}

void WiredGame::ScriptPrizes(const std::vector<int>& prizes, const std::vector<int>& factors) {
    random.AddPrizes(prizes, factors);
}

QWidget* WiredGame::Widget(const QString& name) const {
    auto* widget = window.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    if (widget == nullptr) {
        throw std::logic_error("the window has no control " + name.toStdString());
    }
    return widget;
}

QString WiredGame::Caption(const QString& label) const {
    auto* caption = qobject_cast<CaptionLabel*>(Widget(label));
    if (caption == nullptr) {
        throw std::logic_error(label.toStdString() + " is not a label");
    }
    return caption->caption();
}

QStringList WiredGame::ShownControls() const {
    QStringList shown;
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isHidden()) {
            shown.push_back(control->objectName());
        }
    }
    shown.sort();
    return shown;
}

void WiredGame::Click(const QString& name) {
    ClickAt(Widget(name)->geometry().center());
}

void WiredGame::ClickAt(QPoint position) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, position);
}

CallLog WiredGame::LogFrom(std::size_t from) const {
    return CallLog(log.begin() + static_cast<std::ptrdiff_t>(from), log.end());
}

} // namespace marvesto::testing

#include "caption_label.h"

#include "caption_label_accessibility.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace marvesto {

CaptionLabel::CaptionLabel(QString caption, QWidget* parent)
    : QWidget(parent), caption_(std::move(caption)) {
    InstallCaptionLabelAccessibility();
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void CaptionLabel::setCaption(const QString& caption) {
    caption_ = caption;
    update();
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

void CaptionLabel::makePressable(const QStringList& keys) {
    keys_ = keys;
    setAccessibleDescription(
        (keys.size() == 1 ? tr("Key: %1") : tr("Keys: %1")).arg(keys.join(QStringLiteral(", "))));
}

void CaptionLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption_);
}

void CaptionLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) {
        emit clicked();
    }
}

} // namespace marvesto

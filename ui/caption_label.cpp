#include "caption_label.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace marvesto {

CaptionLabel::CaptionLabel(QString caption, QWidget* parent)
    : QWidget(parent), caption_(std::move(caption)) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

void CaptionLabel::setCaption(const QString& caption) {
    caption_ = caption;
    update();
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

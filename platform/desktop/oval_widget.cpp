#include "platform/desktop/oval_widget.h"

#include <QPainter>
#include <QPen>

namespace desktop {

OvalWidget::OvalWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::NoFocus);
}

void OvalWidget::SetLook(const QColor& fill, const QColor& border, int borderWidth) {
    if (fill == fill_ && border == border_ && borderWidth == borderWidth_) return;
    fill_ = fill;
    border_ = border;
    borderWidth_ = borderWidth < 0 ? 0 : borderWidth;
    update();
}

void OvalWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(fill_);
    if (borderWidth_ > 0) {
        p.setPen(QPen(border_, borderWidth_));
    } else {
        p.setPen(Qt::NoPen);
    }
    // The pen straddles the outline: inset by half its width so that the whole
    // border stays inside the control's rectangle.
    const qreal half = borderWidth_ / 2.0;
    p.drawEllipse(QRectF(rect()).adjusted(half, half, -half, -half));
}

}  // namespace desktop

#include "platform/desktop/up_down_arrows_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>

namespace desktop {

UpDownArrowsWidget::UpDownArrowsWidget(QWidget* parent, std::function<void()> up, std::function<void()> down)
    : QWidget(parent), up_(std::move(up)), down_(std::move(down)) {
    setFocusPolicy(Qt::NoFocus);
    repeat_.setTimerType(Qt::PreciseTimer);
    connect(&repeat_, &QTimer::timeout, this, [this] {
        repeat_.setInterval(kRepeatIntervalMs);
        Step(pressed_);
    });
}

void UpDownArrowsWidget::SetAcceptFocus(bool accept) { setFocusPolicy(accept ? Qt::StrongFocus : Qt::NoFocus); }

void UpDownArrowsWidget::Step(Arrow a) {
    // A step may close the window; hold on to the callbacks while they run.
    auto fn = a == Arrow::Up ? up_ : a == Arrow::Down ? down_ : nullptr;
    if (fn) fn();
}

void UpDownArrowsWidget::StopRepeat() {
    repeat_.stop();
    if (pressed_ != Arrow::None) {
        pressed_ = Arrow::None;
        update();
    }
}

void UpDownArrowsWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) return;
    pressed_ = event->position().y() < height() / 2.0 ? Arrow::Up : Arrow::Down;
    update();
    repeat_.start(kRepeatDelayMs);
    Step(pressed_);
}

void UpDownArrowsWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) StopRepeat();
}

void UpDownArrowsWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        Step(Arrow::Up);
    } else if (event->key() == Qt::Key_Down) {
        Step(Arrow::Down);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void UpDownArrowsWidget::hideEvent(QHideEvent* event) {
    StopRepeat();
    QWidget::hideEvent(event);
}

void UpDownArrowsWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) StopRepeat();
    QWidget::changeEvent(event);
}

void UpDownArrowsWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPalette& pal = palette();
    const QRectF all = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal mid = height() / 2.0;
    const QRectF upper(all.left(), all.top(), all.width(), mid - all.top());
    const QRectF lower(all.left(), mid, all.width(), all.bottom() - mid);

    auto half = [&](const QRectF& r, bool pressed, bool pointsUp) {
        p.setPen(pal.color(QPalette::Mid));
        p.setBrush(pressed ? pal.color(QPalette::Dark) : pal.color(QPalette::Button));
        p.drawRoundedRect(r, 2, 2);
        const qreal cx = r.center().x(), cy = r.center().y();
        const qreal w = std::max<qreal>(2.0, r.width() / 2.0 - 1.5), h = w * 0.8;
        QPainterPath tri;
        if (pointsUp) {
            tri.moveTo(cx - w, cy + h / 2);
            tri.lineTo(cx + w, cy + h / 2);
            tri.lineTo(cx, cy - h / 2);
        } else {
            tri.moveTo(cx - w, cy - h / 2);
            tri.lineTo(cx + w, cy - h / 2);
            tri.lineTo(cx, cy + h / 2);
        }
        tri.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(isEnabled() ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Mid));
        p.drawPath(tri);
    };
    half(upper, pressed_ == Arrow::Up, true);
    half(lower, pressed_ == Arrow::Down, false);
}

}  // namespace desktop

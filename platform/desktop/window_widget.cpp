#include "platform/desktop/window_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWindowStateChangeEvent>

namespace desktop {

WindowWidget::WindowWidget() : QWidget(nullptr) {}

void WindowWidget::Detach() {
    closeRequested = nullptr;
    restored = nullptr;
    moved = nullptr;
    defaultOrCancel = nullptr;
}

void WindowWidget::CloseForReal() {
    closing_ = true;
    close();
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    // The model decides; when it closes the window, the peer closes us.
    event->ignore();
    if (auto fn = closeRequested) fn();
}

void WindowWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimised = change->oldState() & Qt::WindowMinimized;
        if (wasMinimised && !(windowState() & Qt::WindowMinimized)) {
            if (auto fn = restored) fn();
        }
    }
    QWidget::changeEvent(event);
}

void WindowWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (auto fn = moved) fn();
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)) {
        if (auto fn = defaultOrCancel; fn && fn(key == Qt::Key_Escape)) {
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

}  // namespace desktop

#include "platform/desktop/menu_bar_widget.h"

#include <QKeyEvent>

#include <cstdint>

namespace desktop {
namespace {

bool IsSuperKey(int key) {
    return key == Qt::Key_Meta || key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_Hyper_L ||
           key == Qt::Key_Hyper_R;
}

bool IsKeyEvent(const QEvent* event) {
    return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
}

// X server times wrap at 32 bits.
bool Within(uint32_t t, uint32_t from, uint32_t to) { return t - from <= to - from; }

}  // namespace

MenuBarWidget::MenuBarWidget(QWidget* parent, std::function<native::HeldState()> held)
    : QMenuBar(parent), held_(std::move(held)) {}

bool MenuBarWidget::eventFilter(QObject* watched, QEvent* event) {
    if (!IsKeyEvent(event) && event->type() != QEvent::ShortcutOverride) return QMenuBar::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    // What the bar's own filter makes of a key that is neither Alt nor Super:
    // the Alt press in progress is spent.
    QKeyEvent between(QEvent::KeyPress, Qt::Key_unknown, key->modifiers());
    if (IsKeyEvent(event) && IsSuperKey(key->key())) return QMenuBar::eventFilter(watched, &between);
    if (key->key() == Qt::Key_Alt && held_) {
        if (event->type() == QEvent::ShortcutOverride) altDownAt_ = key->timestamp();
        if (event->type() == QEvent::KeyRelease) {
            // A Super press this window never saw (a window manager took it),
            // by the server's clock, as this window may read its keys late.
            const native::HeldState now = held_();
            const bool superBetween =
                now.super || (now.superPressSeen && Within(now.lastSuperPress,
                                                           static_cast<uint32_t>(altDownAt_),
                                                           static_cast<uint32_t>(key->timestamp())));
            if (superBetween) QMenuBar::eventFilter(watched, &between);
        }
    }
    return QMenuBar::eventFilter(watched, event);
}

}  // namespace desktop

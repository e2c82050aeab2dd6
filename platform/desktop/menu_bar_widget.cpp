#include "platform/desktop/menu_bar_widget.h"

#include <QKeyEvent>

namespace desktop {
namespace {

bool IsSuperKey(int key) {
    return key == Qt::Key_Meta || key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_Hyper_L ||
           key == Qt::Key_Hyper_R;
}

bool IsKeyEvent(const QEvent* event) {
    return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
}

}  // namespace

MenuBarWidget::MenuBarWidget(QWidget* parent, std::function<uint64_t()> superPresses)
    : QMenuBar(parent), superPresses_(std::move(superPresses)) {}

bool MenuBarWidget::eventFilter(QObject* watched, QEvent* event) {
    if (!IsKeyEvent(event) && event->type() != QEvent::ShortcutOverride) return QMenuBar::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    // What the bar's own filter makes of a key that is neither Alt nor Super:
    // the Alt press in progress is spent.
    QKeyEvent between(QEvent::KeyPress, Qt::Key_unknown, key->modifiers());
    if (IsKeyEvent(event) && IsSuperKey(key->key())) return QMenuBar::eventFilter(watched, &between);
    if (key->key() == Qt::Key_Alt && superPresses_) {
        if (event->type() == QEvent::ShortcutOverride) superPressesAtAlt_ = superPresses_();
        // A Super press this window never saw: a window manager took it.
        if (event->type() == QEvent::KeyRelease && superPresses_() != superPressesAtAlt_)
            QMenuBar::eventFilter(watched, &between);
    }
    return QMenuBar::eventFilter(watched, event);
}

}  // namespace desktop

#include "platform/desktop/menu_bar_peer.h"

#include "platform/desktop/qt_conversions.h"
#include "platform/desktop/text_area_peer.h"

#include <QKeySequence>
#include <QMenu>
#include <QTimer>

namespace desktop {
namespace {

// Everything a rebuild depends on; check marks are left out (they update in place).
void Shape(const fw::MenuItem& item, std::string& out) {
    out += item.Name() + '\x1f' + item.Text() + '\x1f' + item.KeyboardShortcut() + '\x1f' +
           (item.Visible() ? '1' : '0') + '{';
    for (const auto& c : item.Children()) Shape(*c, out);
    out += '}';
}

// A menu is a window of its own: it takes the bar's face only when given it.
QMenu* WithSystemFace(QMenu* menu) {
    menu->setFont(SystemFace());
    return menu;
}

}  // namespace

void ChooseItem(const std::string& itemName) {
    Deliver([&] {
        if (!fw::ChooseMenuItem(itemName)) EditFocusedText(itemName);
    });
}

MenuBarPeer::MenuBarPeer(QMenuBar* bar) : bar_(bar) {
    // A theme's menu font (a desktop's Cantarell 16, say) would push titles
    // off a bar that is only as wide as the window's design.
    bar_->setFont(SystemFace());
}

void MenuBarPeer::Show(const std::shared_ptr<fw::MenuBar>& tree) {
    tree_ = tree;
    Rebuild();
}

void MenuBarPeer::Update() {
    auto tree = tree_.lock();
    std::string shape;
    if (tree) Shape(*tree, shape);
    if (shape == builtShape_) {
        SetChecks();
        return;
    }
    if (rebuildPending_) return;
    rebuildPending_ = true;
    std::weak_ptr<bool> alive = alive_;
    QTimer::singleShot(0, bar_, [this, alive] {
        if (alive.expired()) return;
        rebuildPending_ = false;
        Rebuild();
    });
}

void MenuBarPeer::Rebuild() {
    if (!bar_) return;
    bar_->clear();
    actions_.clear();
    builtShape_.clear();
    auto tree = tree_.lock();
    if (!tree) return;
    Shape(*tree, builtShape_);
    for (const auto& menuItem : tree->Children()) {
        if (!menuItem->Visible()) continue;
        AddItems(WithSystemFace(bar_->addMenu(ToQ(menuItem->Text()))), *menuItem);
    }
    SetChecks();
}

void MenuBarPeer::AddItems(QMenu* menu, const fw::MenuItem& parent) {
    for (const auto& item : parent.Children()) {
        if (!item->Visible()) continue;
        if (item->Text() == "-") {
            menu->addSeparator();
            continue;
        }
        if (!item->Children().empty()) {
            AddItems(WithSystemFace(menu->addMenu(ToQ(item->Text()))), *item);
            continue;
        }
        QAction* action = menu->addAction(ToQ(item->Text()));
        if (!item->KeyboardShortcut().empty())
            action->setShortcut(QKeySequence(ShortcutText(item->KeyboardShortcut())));
        const std::string name = item->Name();
        // Queued: the menu has closed and the action is left alone before the
        // handler runs (it may open a modal or change this very bar).
        QObject::connect(action, &QAction::triggered, bar_, [this, name] {
            SetChecks();
            QTimer::singleShot(0, [name] { ChooseItem(name); });
        });
        actions_[name] = action;
    }
}

void MenuBarPeer::SetChecks() {
    auto tree = tree_.lock();
    if (!tree) return;
    for (auto& [name, action] : actions_) {
        if (!action) continue;
        auto item = fw::MenuItem::_Lookup(tree, name);
        const bool checked = item && item->Checked();
        // Only a ticked item is checkable, so that unticked ones show no box.
        action->setCheckable(checked);
        action->setChecked(checked);
    }
}

}  // namespace desktop

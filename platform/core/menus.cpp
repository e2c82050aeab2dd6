// Menu items and bars: a tree whose changes reach the peers that listen.
#include "platform/backend.h"
#include "platform/framework.h"

namespace fw {

void MenuItem::Name(const std::string& v) {
    CheckMainThread();
    name_ = v;
    Changed();
}
void MenuItem::Text(const std::string& v) {
    CheckMainThread();
    text_ = v;
    Changed();
}
void MenuItem::KeyboardShortcut(const std::string& v) {
    CheckMainThread();
    shortcut_ = v;
    Changed();
}
void MenuItem::Visible(bool v) {
    CheckMainThread();
    visible_ = v;
    Changed();
}
void MenuItem::AutoEnable(bool v) {
    CheckMainThread();
    autoEnable_ = v;
    Changed();
}
void MenuItem::Checked(bool v) {
    CheckMainThread();
    checked_ = v;
    Changed();
}

void MenuItem::Append(const std::shared_ptr<MenuItem>& item) {
    CheckMainThread();
    NotNil(item);
    if (auto self = weak_from_this().lock()) item->parent_ = std::static_pointer_cast<MenuItem>(self);
    children_.push_back(item);
    Changed();
}

std::shared_ptr<MenuItem> MenuItem::Child(const std::string& name) const {
    for (const auto& c : children_)
        if (c->name_ == name) return c;
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::_Lookup(const std::shared_ptr<MenuItem>& root, const std::string& name) {
    NotNil(root);
    for (const auto& c : root->children_) {
        if (c->name_ == name) return c;
        if (auto found = _Lookup(c, name)) return found;
    }
    return nullptr;
}

void PeerAccess::AddListener(MenuItem& item, const std::shared_ptr<std::function<void()>>& listener) {
    // A shared menu bar outlives the windows that listen to it: what they
    // left goes before another joins.
    std::erase_if(item.listeners_, [](const std::weak_ptr<MenuItem::Listener>& w) { return w.expired(); });
    item.listeners_.push_back(listener);
}

size_t PeerAccess::ListenerCount(const MenuItem& item) { return item.listeners_.size(); }

void MenuItem::Changed() {
    // Tell this item's listeners and those of every item above it.
    std::shared_ptr<MenuItem> keep;
    for (MenuItem* item = this; item;) {
        auto listeners = item->listeners_;
        std::erase_if(item->listeners_, [](const std::weak_ptr<Listener>& w) { return w.expired(); });
        for (auto& w : listeners)
            if (auto l = w.lock(); l && *l) (*l)();
        keep = item->parent_.lock();
        item = keep.get();
    }
}

}  // namespace fw

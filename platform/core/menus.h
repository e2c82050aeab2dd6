// Menu items and menu bars; choosing an item by name.
#pragma once

#include "platform/core/objects.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class MenuItem : public Object {
public:
    virtual void Constructor() {}
    std::string Name() const { return name_; }
    void Name(const std::string& v);
    std::string Text() const { return text_; }
    void Text(const std::string& v);
    std::string KeyboardShortcut() const { return shortcut_; }
    void KeyboardShortcut(const std::string& v);
    bool Visible() const { return visible_; }
    void Visible(bool v);
    bool AutoEnable() const { return autoEnable_; }
    void AutoEnable(bool v);
    bool Checked() const { return checked_; }
    void Checked(bool v);
    // Adds an item at the end.
    void Append(const std::shared_ptr<MenuItem>& item);
    // The direct child of that name, or nil.
    std::shared_ptr<MenuItem> Child(const std::string& name) const;
    // The item of that name anywhere below root, or nil.
    static std::shared_ptr<MenuItem> _Lookup(const std::shared_ptr<MenuItem>& root, const std::string& name);
    const std::vector<std::shared_ptr<MenuItem>>& Children() const { return children_; }
    int Count() const { return static_cast<int>(children_.size()); }
    std::string ClassName() const override { return "MenuItem"; }

private:
    friend struct PeerAccess;  // peers listen for any change below this item
    using Listener = std::function<void()>;
    void Changed();
    std::string name_, text_, shortcut_;
    bool visible_ = true, autoEnable_ = false, checked_ = false;
    std::vector<std::shared_ptr<MenuItem>> children_;
    std::weak_ptr<MenuItem> parent_;
    std::vector<std::weak_ptr<Listener>> listeners_;
};
// An item that the platform places in the application menu.
class AppleMenuItem : public MenuItem {
public:
    std::string ClassName() const override { return "AppleMenuItem"; }
};
class MenuBar : public MenuItem {
public:
    std::string ClassName() const override { return "MenuBar"; }
};

// Dispatches the choice of a menu item by name to the application's handler
// registered under that name; returns whether one handled it. Items without a
// handler (the Edit items) are the platform's standard text editing.
bool ChooseMenuItem(const std::string& itemName);

}  // namespace fw

// A window's QMenuBar, built from the framework's menu tree: captions as given
// ("&" marks the mnemonic, "-" is a separator), check marks, shortcut texts
// "Cmd+X" as Ctrl+X. A chosen item goes to the framework by its name; the
// Edit items that no handler takes act on the focused text area.
//
// There is no application menu on X11: an AppleMenuItem stays where the menu
// tree puts it.
#pragma once

#include "platform/framework.h"

#include <QMenuBar>
#include <QPointer>

#include <map>
#include <memory>
#include <string>

namespace desktop {

class MenuBarPeer {
public:
    explicit MenuBarPeer(QMenuBar* bar);
    // Shows that tree (nil: an empty bar).
    void Show(const std::shared_ptr<fw::MenuBar>& tree);
    // The tree changed: check marks are set at once; a changed structure is
    // rebuilt once control is back in the event loop (a handler may be
    // running from one of the actions that a rebuild would delete).
    void Update();
    QMenuBar* Bar() const { return bar_; }

private:
    void Rebuild();
    void AddItems(QMenu* menu, const fw::MenuItem& parent);
    void SetChecks();
    QPointer<QMenuBar> bar_;
    std::weak_ptr<fw::MenuBar> tree_;
    std::string builtShape_;
    std::map<std::string, QPointer<QAction>> actions_;
    bool rebuildPending_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// What a chosen item does: the application's handler, else the standard text editing.
void ChooseItem(const std::string& itemName);

}  // namespace desktop

// A window's menu bar that the capture chord leaves alone. Alt pressed and
// released with no key in between puts a menu bar into keyboard navigation,
// and Qt counts Super, the chord's other key, as no key at all: after the
// chord the next keys typed would go to the menus. Here Super counts as a
// key in between, whether the window saw it or a window manager took it;
// Alt alone and the access keys (Alt+F) work as before.
#pragma once

#include <QMenuBar>

#include <functional>

namespace desktop {

class MenuBarWidget : public QMenuBar {
public:
    // superPresses: how many times a Super key went down so far, counted
    // wherever the keyboard focus was.
    MenuBarWidget(QWidget* parent, std::function<uint64_t()> superPresses);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<uint64_t()> superPresses_;
    uint64_t superPressesAtAlt_ = 0;
};

}  // namespace desktop

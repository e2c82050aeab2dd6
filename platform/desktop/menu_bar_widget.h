// A window's menu bar that the capture chord leaves alone. Alt pressed and
// released with no key in between puts a menu bar into keyboard navigation,
// and Qt counts Super, the chord's other key, as no key at all: after the
// chord the next keys typed would go to the menus. Here Super counts as a
// key in between, whether the window saw it or a window manager took it;
// Alt alone and the access keys (Alt+F) work as before.
#pragma once

#include <QMenuBar>

#include <functional>

#include "platform/desktop/native/x11_input.h"

namespace desktop {

class MenuBarWidget : public QMenuBar {
public:
    // held: the keys held now and the time of the last Super press, from the
    // X server whatever window has the focus.
    MenuBarWidget(QWidget* parent, std::function<native::HeldState()> held);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<native::HeldState()> held_;
    uint64_t altDownAt_ = 0;  // X server time of the last Alt press, ms
};

}  // namespace desktop

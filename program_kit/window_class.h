// A program window as a class: the class getter, the one open window of the
// class, the window itself as its own class, its controls and menu items found
// by name, and the building of one control in the steps every design gives.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

// The class, defined first when it is not yet.
inline const ClassRecord* ClassGetter(const std::string& className, void (*classDefiner)()) {
    if (!RuntimeGetClass(className)) classDefiner();
    return RuntimeGetClass(className);
}

// The one open window of a class, found by its registered name, or a new one.
// With a definer, the class is defined first when it is not yet; a new window
// is built (and shows itself) by its constructor.
template <class W>
std::shared_ptr<W> OpenOrBuildWindow(const std::string& className, void (*classDefiner)() = nullptr) {
    auto open = RuntimeGetImplicitWindow(className);
    if (!open) {
        if (classDefiner) ClassGetter(className, classDefiner);
        auto made = RuntimeNewObject<W>();
        made->Constructor();
        open = made;
    }
    return RuntimeCheckCast<W>(open);
}

// The window as a reference of its own class, for its design list and for the
// targets of its handlers' delegates.
template <class W>
std::shared_ptr<W> Self(W& window) {
    return std::static_pointer_cast<W>(window.shared_from_this());
}

// The window's control of that name, typed as T; looked up at each use,
// nothing cached.
template <class T>
std::shared_ptr<T> ControlNamed(const Window& window, const std::string& name) {
    return RuntimeCheckCast<T>(window._ControlByName(name));
}

// The item of that name anywhere in the window's menu bar, typed as T.
template <class T = MenuItem>
std::shared_ptr<T> MenuItemNamed(const Window& window, const std::string& name) {
    return RuntimeCheckCast<T>(MenuItem::_Lookup(window.MenuBar(), name));
}

// A class made for one control of one window (the timers', the socket's): it
// holds its owner window and an index.
template <class T, class W>
concept ControlWrapper = requires(T& control, const std::shared_ptr<W>& window) {
    control._SetWindow(window);
    control._SetIndex(0);
};

// One control of a window, built completely before the next. Made, it is
// constructed and added under its name; the later steps, in the order they
// are called, act on the control found again by that name.
//
//   AddControl<Label>(self, "StaticText1").TextSize(12).TextUnit(0)
//       .Design(design).On("Open", &MyWindow::StaticText1_Open, "( Label )");
template <class T, class W>
class ControlSteps {
public:
    ControlSteps(const std::shared_ptr<W>& window, const std::string& name) : window_(window) {
        auto made = window->template __New<T>();
        if constexpr (ControlWrapper<T, W>) made->_SetWindow(window);
        made->Constructor();
        window->_AddControl(name, made);
        control_ = ControlNamed<T>(*window, name);
    }

    // What the code sets before the design-time list.
    ControlSteps& TextUnit(int32_t unit) {
        control_->TextUnit(unit);
        return *this;
    }
    ControlSteps& TextSize(double size) {
        control_->TextSize(size);
        return *this;
    }
    ControlSteps& LineSpacing(double spacing) {
        control_->LineSpacing(spacing);
        return *this;
    }

    // The control's design-time list, applied in its order.
    ControlSteps& Design(const std::string& list) {
        RuntimeMassPropertySetter(control_, list);
        return *this;
    }

    // Hooks the control's event to the window's handler method, taken from
    // the window's class now; the hook does not keep the window alive.
    template <class... A>
    ControlSteps& On(const std::string& event, void (W::*handler)(A...), const std::string& params) {
        RuntimeAddEventHandler(control_, event, RuntimeCreateDelegate(handler, window_, params, 1));
        return *this;
    }

private:
    std::shared_ptr<W> window_;
    std::shared_ptr<T> control_;
};

template <class T, class W>
ControlSteps<T, W> AddControl(const std::shared_ptr<W>& window, const std::string& name) {
    return ControlSteps<T, W>(window, name);
}

}  // namespace quorrel

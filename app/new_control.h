// The first steps of building any control of a window: made for the window,
// constructed, then added under its name, by which it is found again.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

template <class T>
std::shared_ptr<T> AddNewControl(Window& window, const std::string& name) {
    auto control = window.__New<T>();
    control->Constructor();
    window._AddControl(name, control);
    return control;
}

}  // namespace quorrel

// A window's control by its name, as the class the test expects: nil when
// the window has no control of that name or it is of another class.
#pragma once
#include "platform/framework.h"

#include <memory>
#include <string>

namespace quorrel::test {

template <class T>
std::shared_ptr<T> ControlNamed(const std::shared_ptr<fw::Window>& window, const std::string& name) {
    return std::dynamic_pointer_cast<T>(window->_ControlByName(name));
}

}  // namespace quorrel::test

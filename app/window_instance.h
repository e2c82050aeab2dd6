// The one open window of a class, found by its registered name, or a new one.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

// With a definer, the class is defined first when it is not yet; a new window
// is built (and shows itself) by its constructor.
template <class T>
std::shared_ptr<T> OpenOrBuildWindow(const std::string& className, void (*classDefiner)() = nullptr) {
    auto open = RuntimeGetImplicitWindow(className);
    if (!open) {
        if (classDefiner && !RuntimeGetClass(className)) classDefiner();
        auto made = RuntimeNewObject<T>();
        made->Constructor();
        open = made;
    }
    return RuntimeCheckCast<T>(open);
}

}  // namespace quorrel

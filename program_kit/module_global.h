// Releasing a module global at exit: the global is emptied first, then what
// it held is let go, so that nothing released can reach it half-gone.
#pragma once

#include <utility>

namespace quorrel {

template <class T>
void ReleaseGlobal(T& global) {
    T held = std::move(global);
    global = T{};
}

}  // namespace quorrel

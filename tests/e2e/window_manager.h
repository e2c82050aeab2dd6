// A real window manager (openbox) on the test's X server, so that windows get
// frames, title bars and placement as users see them.
#pragma once
#include <memory>
#include <string>

#include "tests/e2e/child_process.h"

namespace e2e {

class WindowManager {
public:
    // Starts openbox on the display and returns once it manages windows;
    // throws when it does not.
    WindowManager(const std::string& displayName, const std::string& home);
    ~WindowManager();  // the child process ends the window manager

private:
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace e2e

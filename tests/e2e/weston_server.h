// A Wayland session for one test: weston on its headless backend with
// XWayland, whose X display the program and the test connect to as X
// clients do under a Wayland desktop.
#pragma once
#include <memory>
#include <string>

#include "tests/e2e/child_process.h"

namespace e2e {

class WestonServer {
public:
    // Starts weston and returns once its XWayland display accepts
    // connections; throws when it does not.
    explicit WestonServer(const std::string& logDir);
    ~WestonServer();

    const std::string& DisplayName() const { return displayName_; }

private:
    std::unique_ptr<ChildProcess> process_;
    std::string displayName_;
};

}  // namespace e2e

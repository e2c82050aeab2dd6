// A private Xvfb server for one test, on a display number that is free.
#pragma once
#include <memory>
#include <string>

#include "tests/e2e/child_process.h"

namespace e2e {

class XvfbServer {
public:
    // Starts the server and returns once it accepts connections; throws when
    // it cannot be started.
    XvfbServer(int width, int height, const std::string& logDir);
    ~XvfbServer();

    const std::string& DisplayName() const { return displayName_; }

private:
    std::unique_ptr<ChildProcess> process_;
    std::string displayName_;
};

}  // namespace e2e

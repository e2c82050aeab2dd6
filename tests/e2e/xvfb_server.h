// A private Xvfb server for one test, on a display number that is free.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/child_process.h"

namespace e2e {

class XvfbServer {
public:
    // Starts the server and returns once it accepts connections; throws when
    // it cannot be started. `moreArguments` follow the first screen's (a visual
    // class, more screens, an extension turned off).
    XvfbServer(int width, int height, const std::string& logDir, int depth = 24,
               const std::vector<std::string>& moreArguments = {});
    ~XvfbServer();

    const std::string& DisplayName() const { return displayName_; }
    // Ends the server at once, as a crash or a logout does: every client's
    // connection breaks.
    void Kill();

private:
    std::unique_ptr<ChildProcess> process_;
    std::string displayName_;
};

}  // namespace e2e

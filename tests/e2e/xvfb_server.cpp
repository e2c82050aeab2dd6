#include "tests/e2e/xvfb_server.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

#include "tests/e2e/poll.h"

namespace e2e {

namespace {

// Xvfb writes the display number it chose to this descriptor once it listens,
// which avoids racing other servers for a number that looked free.
std::string ReadDisplayNumber(int fd, std::chrono::milliseconds timeout) {
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0) continue;
        char c;
        if (read(fd, &c, 1) != 1) break;
        if (c == '\n') return number;
        number += c;
    }
    return {};
}

bool CanConnect(const std::string& name) {
    Display* d = XOpenDisplay(name.c_str());
    if (!d) return false;
    XCloseDisplay(d);
    return true;
}

}  // namespace

XvfbServer::XvfbServer(int width, int height, const std::string& logDir, int depth,
                       const std::vector<std::string>& moreArguments) {
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
    for (int attempt = 0; attempt < 3 && displayName_.empty(); ++attempt) {
        int fds[2];
        if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
        // -noreset: without it the server resets when its last client leaves,
        // and keys injected across that moment are lost.
        std::vector<std::string> argv{"/usr/bin/Xvfb",
                                      "-displayfd",
                                      std::to_string(fds[1]),
                                      "-screen",
                                      "0",
                                      screen,
                                      "-noreset",
                                      "-nolisten",
                                      "tcp"};
        argv.insert(argv.end(), moreArguments.begin(), moreArguments.end());
        process_ = std::make_unique<ChildProcess>(
            argv, ChildProcess::Environment{}, logDir + "/xvfb.out", logDir + "/xvfb.err");
        close(fds[1]);
        std::string number = ReadDisplayNumber(fds[0], std::chrono::seconds(10));
        close(fds[0]);
        if (number.empty()) {
            process_.reset();
            continue;
        }
        std::string name = ":" + number;
        if (PollUntil([&] { return CanConnect(name); }, std::chrono::seconds(5))) displayName_ = name;
        else process_.reset();
    }
    if (displayName_.empty()) throw std::runtime_error("Xvfb did not start: " + ReadFile(logDir + "/xvfb.err"));
}

XvfbServer::~XvfbServer() = default;  // the child process kills the server

void XvfbServer::Kill() { process_->Kill(); }

}  // namespace e2e

#include "tests/e2e/weston_server.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "tests/e2e/poll.h"

namespace e2e {

namespace {

// weston names the X display it listens on in its log.
std::string ListeningDisplay(const std::string& log) {
    const std::string mark = "xserver listening on display ";
    const size_t at = log.find(mark);
    if (at == std::string::npos) return {};
    const size_t end = log.find('\n', at);
    return log.substr(at + mark.size(), end == std::string::npos ? std::string::npos : end - at - mark.size());
}

}  // namespace

WestonServer::WestonServer(const std::string& logDir) {
    const std::string runtime = logDir + "/wayland-runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    const std::string log = logDir + "/weston.log";
    process_ = std::make_unique<ChildProcess>(std::vector<std::string>{"/usr/bin/weston",
                                                                       "--backend=headless-backend.so",
                                                                       "--xwayland",
                                                                       "--idle-time=0",
                                                                       "--width=1024",
                                                                       "--height=768",
                                                                       "--socket=quorrel-" + std::to_string(getpid()),
                                                                       "--log=" + log},
                                              ChildProcess::Environment{{"XDG_RUNTIME_DIR", runtime},
                                                                        {"HOME", logDir},
                                                                        {"DISPLAY", std::nullopt},
                                                                        {"WAYLAND_DISPLAY", std::nullopt}},
                                              logDir + "/weston.out",
                                              logDir + "/weston.err");
    std::string name;
    PollUntil([&] { return !(name = ListeningDisplay(ReadFile(log))).empty() || !process_->Running(); }, 20s);
    // XWayland starts with its first client.
    auto connects = [&] {
        Display* d = XOpenDisplay(name.c_str());
        if (d) XCloseDisplay(d);
        return d != nullptr;
    };
    if (name.empty() || !PollUntil(connects, 20s, 100ms))
        throw std::runtime_error("weston gave no XWayland display: " + ReadFile(log));
    displayName_ = name;
}

WestonServer::~WestonServer() = default;  // the child process ends the session

}  // namespace e2e

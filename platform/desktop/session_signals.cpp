#include "platform/desktop/session_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace desktop::session {
namespace {

int pipeFds[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

void OnSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    // A full pipe already holds a signal that the loop has still to take.
    [[maybe_unused]] const ssize_t written = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

void SetAction(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals) ::sigaction(number, &action, nullptr);
}

}  // namespace

void CatchSignals() {
    // Without the pipe there is nowhere to note a signal: the defaults stay.
    if (pipeFds[0] < 0 && ::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    SetAction(&OnSignal);
}

int SignalPipe() { return pipeFds[0]; }

bool TakeSignals() {
    bool any = false;
    char buffer[64];
    for (;;) {
        const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n > 0) {
            any = true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return any;
    }
}

void RestoreSignals() {
    if (pipeFds[0] >= 0) SetAction(SIG_DFL);
}

}  // namespace desktop::session

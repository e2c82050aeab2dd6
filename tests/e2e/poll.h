// Waiting for something that happens in another process: poll a condition
// until it holds or a deadline passes, instead of sleeping a fixed time.
#pragma once
#include <chrono>
#include <functional>
#include <thread>

namespace e2e {

using namespace std::chrono_literals;

inline bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s,
                      std::chrono::milliseconds step = 20ms) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(step);
    }
}

inline void Pause(std::chrono::milliseconds d) { std::this_thread::sleep_for(d); }

}  // namespace e2e

// The headless event loop: a virtual clock, timers, fd watches polled for real.
#include "platform/headless/headless_impl.h"

#include <poll.h>

#include <atomic>

namespace fw::headless {
namespace {
// Unique across backends, so a handle of an old backend never names a new timer.
std::atomic<uint64_t> nextTimerId{1};
}  // namespace

Headless::Headless() : impl_(std::make_unique<Impl>()) {}
Headless::~Headless() = default;

Backend::TimerId Headless::StartTimer(int64_t ms, bool repeat, std::function<void()> fn) {
    if (ms < 1) ms = 1;  // never a timer that is due again at once
    TimerId id = nextTimerId++;
    impl_->timers[id] = Impl::PendingTimer{impl_->now + ms, ms, repeat, impl_->nextOrder++, std::move(fn)};
    return id;
}

void Headless::StopTimer(TimerId id) { impl_->timers.erase(id); }

void Headless::Advance(int64_t ms) {
    int64_t target = impl_->now + (ms > 0 ? ms : 0);
    while (!impl_->quitting) {
        auto next = impl_->timers.end();
        for (auto it = impl_->timers.begin(); it != impl_->timers.end(); ++it) {
            if (it->second.due > target) continue;
            if (next == impl_->timers.end() || it->second.due < next->second.due ||
                (it->second.due == next->second.due && it->second.order < next->second.order))
                next = it;
        }
        if (next == impl_->timers.end()) break;
        impl_->now = next->second.due;
        auto fn = next->second.fn;  // the handler may stop or restart this timer
        if (next->second.repeat) next->second.due += next->second.period;
        else impl_->timers.erase(next);
        fn();
    }
    if (impl_->now < target) impl_->now = target;
}

int64_t Headless::Elapsed() const { return impl_->now; }

void Headless::SetWallClock(std::chrono::system_clock::time_point t0) { impl_->wallZero = t0; }

std::chrono::system_clock::time_point Headless::Now() {
    return impl_->wallZero + std::chrono::milliseconds(impl_->now);
}

Backend::WatchId Headless::WatchFd(int fd, FdInterest interest, std::function<void(bool, bool)> fn) {
    WatchId id = impl_->nextWatch++;
    impl_->watches[id] = Impl::Watch{fd, interest, std::move(fn)};
    return id;
}

void Headless::UnwatchFd(WatchId id) { impl_->watches.erase(id); }

bool Headless::RunUntil(const std::function<bool()>& pred, int64_t timeoutMs) {
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(timeoutMs);
    auto last = clock::now();
    while (!pred()) {
        auto now = clock::now();
        if (now >= deadline) return pred();
        std::vector<pollfd> fds;
        std::vector<WatchId> ids;
        for (auto& [id, w] : impl_->watches) {
            short events = static_cast<short>((w.interest.read ? POLLIN : 0) | (w.interest.write ? POLLOUT : 0));
            fds.push_back(pollfd{w.fd, events, 0});
            ids.push_back(id);
        }
        int64_t wait = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        if (wait > 5) wait = 5;  // short waits, so that timers keep up with real time
        ::poll(fds.data(), fds.size(), static_cast<int>(wait));
        for (size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents == 0) continue;
            auto it = impl_->watches.find(ids[i]);
            if (it == impl_->watches.end()) continue;  // an earlier callback removed it
            auto fn = it->second.fn;
            bool readable = fds[i].revents & (POLLIN | POLLHUP | POLLERR);
            bool writable = fds[i].revents & (POLLOUT | POLLERR);
            fn(readable, writable);
        }
        auto after = clock::now();
        Advance(std::chrono::duration_cast<std::chrono::milliseconds>(after - last).count());
        last = after - (after - last) % std::chrono::milliseconds(1);
    }
    return true;
}

void Headless::SetScript(std::function<void(Headless&)> script) { impl_->script = std::move(script); }
void Headless::SetModalScript(ModalScript script) { impl_->modalScript = std::move(script); }

void Headless::Run(std::function<void()> started) {
    impl_->running = true;
    impl_->quitting = false;
    if (started) started();
    if (!impl_->quitting && impl_->script) impl_->script(*this);
    impl_->running = false;
}

void Headless::Quit() { impl_->quitting = true; }

bool Headless::Quitting() const { return impl_->quitting; }

}  // namespace fw::headless

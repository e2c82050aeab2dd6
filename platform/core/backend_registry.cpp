// The one installed backend and the main-thread rule.
#include "platform/backend.h"
#include "platform/core/runtime_state.h"
#include "platform/framework.h"

#include <atomic>
#include <thread>

namespace fw {
namespace {

std::unique_ptr<Backend>& Installed() {
    static std::unique_ptr<Backend> backend;
    return backend;
}
std::atomic<std::thread::id>& MainThreadId() {
    static std::atomic<std::thread::id> id{std::this_thread::get_id()};
    return id;
}
std::atomic<uint64_t> generation{0};

}  // namespace

namespace detail {
uint64_t BackendGeneration() { return generation.load(); }
void RecordMainThread() { MainThreadId().store(std::this_thread::get_id()); }
}  // namespace detail

void InstallBackend(std::unique_ptr<Backend> backend) {
    detail::RecordMainThread();
    // What the old backend's peers and timers belong to goes before the backend does.
    if (Installed()) detail::ResetRuntime();
    ++generation;
    Installed() = std::move(backend);
}

Backend& CurrentBackend() {
    if (!Installed()) throw RuntimeException("no backend installed");
    return *Installed();
}

bool HasBackend() { return Installed() != nullptr; }

void CheckMainThread() {
    if (std::this_thread::get_id() != MainThreadId().load())
        throw ThreadAccessingUIException("a user-interface object was used outside the main thread");
}

}  // namespace fw

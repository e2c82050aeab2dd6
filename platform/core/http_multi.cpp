#include "platform/core/http_multi.h"

#include "platform/core/http_transfer.h"
#include "platform/core/runtime_state.h"

#include <mutex>

namespace fw {

namespace {
// Never destroyed: a request may end in an exit handler (the session's end),
// after the static destructors of what the event loop made.
std::unique_ptr<HttpMulti>& TheMulti() {
    static auto* multi = new std::unique_ptr<HttpMulti>;
    return *multi;
}
}  // namespace

HttpMulti& HttpMulti::Instance() {
    static std::once_flag globalInit;
    std::call_once(globalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    auto& multi = TheMulti();
    // A multi of a backend that has been replaced is let go (curl detaches
    // its transfers); requests from now on belong to the new backend.
    if (multi && multi->generation_ != detail::BackendGeneration() && multi->driving_ == 0) multi.reset();
    if (!multi) multi.reset(new HttpMulti());
    return *multi;
}

HttpMulti::HttpMulti() : multi_(curl_multi_init()), generation_(detail::BackendGeneration()) {
    if (!multi_) throw RuntimeException("the HTTP client could not start");
    curl_multi_setopt(multi_, CURLMOPT_SOCKETFUNCTION, &HttpMulti::SocketCallback);
    curl_multi_setopt(multi_, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(multi_, CURLMOPT_TIMERFUNCTION, &HttpMulti::TimerCallback);
    curl_multi_setopt(multi_, CURLMOPT_TIMERDATA, this);
}

HttpMulti::~HttpMulti() {
    closing_ = true;
    if (Backend* backend = OwnBackend()) {
        for (auto& [fd, id] : watches_) backend->UnwatchFd(id);
        if (timerRunning_) backend->StopTimer(timer_);
    }
    watches_.clear();
    curl_multi_cleanup(multi_);
}

void HttpMulti::Add(CURL* easy) {
    if (curl_multi_add_handle(multi_, easy) != CURLM_OK) throw RuntimeException("the HTTP request could not start");
    ++transfers_;
}

void HttpMulti::Remove(CURL* easy) {
    if (curl_multi_remove_handle(multi_, easy) == CURLM_OK) --transfers_;
    ReleaseIfIdle();
}

void HttpMulti::ReleaseIfIdle() {
    if (transfers_ == 0 && driving_ == 0) TheMulti().reset();  // destroys this
}

int HttpMulti::SocketCallback(CURL* /*easy*/, curl_socket_t fd, int what, void* self, void* /*socketData*/) {
    static_cast<HttpMulti*>(self)->Watch(fd, what);
    return 0;
}

int HttpMulti::TimerCallback(CURLM* /*multi*/, long timeoutMs, void* self) {
    static_cast<HttpMulti*>(self)->ScheduleTimeout(timeoutMs);
    return 0;
}

Backend* HttpMulti::OwnBackend() const {
    return HasBackend() && generation_ == detail::BackendGeneration() ? &CurrentBackend() : nullptr;
}

void HttpMulti::Watch(curl_socket_t fd, int what) {
    Backend* own = OwnBackend();
    if (closing_ || !own) return;
    Backend& backend = *own;
    auto it = watches_.find(fd);
    if (it != watches_.end()) {
        backend.UnwatchFd(it->second);
        watches_.erase(it);
    }
    if (what == CURL_POLL_REMOVE) return;
    FdInterest interest;
    interest.read = what == CURL_POLL_IN || what == CURL_POLL_INOUT;
    interest.write = what == CURL_POLL_OUT || what == CURL_POLL_INOUT;
    watches_[fd] = backend.WatchFd(fd, interest, [this, fd](bool readable, bool writable) {
        Drive(fd, (readable ? CURL_CSELECT_IN : 0) | (writable ? CURL_CSELECT_OUT : 0));
    });
}

void HttpMulti::ScheduleTimeout(long timeoutMs) {
    Backend* own = OwnBackend();
    if (closing_ || !own) return;
    Backend& backend = *own;
    if (timerRunning_) {
        backend.StopTimer(timer_);
        timerRunning_ = false;
    }
    if (timeoutMs < 0) return;
    // curl must not be re-entered from its own callback: even a zero delay
    // goes through the loop.
    timer_ = backend.StartTimer(timeoutMs, false, [this] {
        timerRunning_ = false;
        Drive(CURL_SOCKET_TIMEOUT, 0);
    });
    timerRunning_ = true;
}

void HttpMulti::Drive(curl_socket_t fd, int flags) {
    ++driving_;
    int running = 0;
    curl_multi_socket_action(multi_, fd, flags, &running);
    DeliverFinished();
    --driving_;
    ReleaseIfIdle();
}

void HttpMulti::DeliverFinished() {
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi_, &left)) {
        if (msg->msg != CURLMSG_DONE) continue;
        HttpTransfer* transfer = nullptr;
        curl_easy_getinfo(msg->easy_handle, CURLINFO_PRIVATE, reinterpret_cast<char**>(&transfer));
        CURLcode result = msg->data.result;
        // Done takes the handle out of the multi and may run a whole modal
        // dialog in the socket's event: nothing of msg is used after it.
        if (transfer) transfer->Done(result);
    }
}

}  // namespace fw

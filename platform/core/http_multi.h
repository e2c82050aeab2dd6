// One libcurl multi handle shared by every HTTP transfer, driven by the
// backend's fd watches and timers so that all callbacks run on the main thread.
#pragma once

#include "platform/backend.h"

#include <curl/curl.h>

#include <map>
#include <memory>

namespace fw {

class HttpTransfer;

class HttpMulti {
public:
    // The shared multi handle, made when the first transfer starts.
    static HttpMulti& Instance();
    ~HttpMulti();

    void Add(CURL* easy);
    // Takes the handle out; the multi is let go once no transfer is left, so
    // that no watch or timer outlives the backend that made it.
    void Remove(CURL* easy);

private:
    HttpMulti();
    static int SocketCallback(CURL* easy, curl_socket_t fd, int what, void* self, void* socketData);
    static int TimerCallback(CURLM* multi, long timeoutMs, void* self);
    void Watch(curl_socket_t fd, int what);
    void ScheduleTimeout(long timeoutMs);
    void Drive(curl_socket_t fd, int flags);
    void DeliverFinished();
    void ReleaseIfIdle();
    // The backend that holds this multi's watches and timer, or nullptr once
    // another backend has replaced it (its handles mean nothing there).
    Backend* OwnBackend() const;

    CURLM* multi_ = nullptr;
    uint64_t generation_ = 0;
    std::map<curl_socket_t, Backend::WatchId> watches_;
    Backend::TimerId timer_ = 0;
    bool timerRunning_ = false;
    int transfers_ = 0;
    int driving_ = 0;  // nesting of Drive: a modal run inside an event drives again
    bool closing_ = false;
};

}  // namespace fw

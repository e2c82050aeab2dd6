// One HTTP GET of an HTTPSocket: the libcurl easy handle, the reply as it
// arrives, and its end handed back to the socket.
#pragma once

#include "platform/framework.h"

#include <curl/curl.h>

#include <memory>
#include <string>

namespace fw {

// Error codes that HTTPSocket's Error event carries: the connection could
// not be made.
constexpr int32_t kHttpErrorOther = 100;    // any other failure before connecting
constexpr int32_t kHttpErrorConnect = 102;  // the connection was refused or could not be made
constexpr int32_t kHttpErrorResolve = 103;  // the host (or proxy) name could not be resolved

// The reply headers kept, in bytes as they arrive; further ones are dropped.
constexpr size_t kMaxReplyHeaderBytes = 64 * 1024;

class HttpTransfer {
public:
    HttpTransfer(HTTPSocket& socket, std::string url);
    ~HttpTransfer();  // ends the request if it is still running
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // Called by the multi handle when curl has finished with the transfer.
    void Done(CURLcode result);

private:
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    static int OnConnected(void* self, char* serverIp, char* localIp, int serverPort, int localPort);
    void Configure();

    HTTPSocket& socket_;
    std::string url_;
    CURL* easy_ = nullptr;
    curl_slist* headerList_ = nullptr;
    bool running_ = false;
    bool hadOwner_ = false;   // the socket belonged to a window when the request started
    bool connected_ = false;  // the connection was made and the request about to go
    int32_t status_ = 0;
    std::shared_ptr<InternetHeaders> replyHeaders_;
    size_t headerBytes_ = 0;  // of the headers kept
    std::string body_;
};

// The Error code of a transfer that could not connect.
int32_t HttpErrorCode(CURLcode result);

}  // namespace fw

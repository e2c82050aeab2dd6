#include "platform/core/http_transfer.h"

#include "platform/core/http_multi.h"

#include <curl/urlapi.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace fw {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// The URL's host, and ":" with its port when it names one; empty when the
// URL cannot be read (curl then writes the line itself).
std::string HostLine(const std::string& url) {
    std::string line;
    CURLU* u = curl_url();
    if (!u) return line;
    if (curl_url_set(u, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK) {
        char* host = nullptr;
        char* port = nullptr;
        if (curl_url_get(u, CURLUPART_HOST, &host, 0) == CURLUE_OK && host && *host) {
            line = host;
            if (curl_url_get(u, CURLUPART_PORT, &port, 0) == CURLUE_OK && port) line += std::string(":") + port;
        }
        curl_free(host);
        curl_free(port);
    }
    curl_url_cleanup(u);
    return line;
}

}  // namespace

int32_t HttpErrorCode(CURLcode result) {
    switch (result) {
        case CURLE_COULDNT_CONNECT: return kHttpErrorConnect;
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY: return kHttpErrorResolve;
        default: return kHttpErrorOther;
    }
}

HttpTransfer::HttpTransfer(HTTPSocket& socket, std::string url)
    : socket_(socket), url_(std::move(url)), replyHeaders_(std::make_shared<InternetHeaders>()) {
    HttpMulti& multi = HttpMulti::Instance();
    easy_ = curl_easy_init();
    if (!easy_) throw RuntimeException("the HTTP request could not be made");
    hadOwner_ = socket_.Window() != nullptr;
    Configure();
    multi.Add(easy_);
    running_ = true;
}

HttpTransfer::~HttpTransfer() {
    if (running_) HttpMulti::Instance().Remove(easy_);
    curl_easy_cleanup(easy_);
    curl_slist_free_all(headerList_);
}

void HttpTransfer::Configure() {
    curl_easy_setopt(easy_, CURLOPT_URL, url_.c_str());
    curl_easy_setopt(easy_, CURLOPT_PRIVATE, this);
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &HttpTransfer::OnBody);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &HttpTransfer::OnHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, &HttpTransfer::OnConnected);
    curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);
    // A reply without a status line is all body: it is handed over as it came.
    curl_easy_setopt(easy_, CURLOPT_HTTP09_ALLOWED, 1L);

    // Host first, with the port whenever the URL names one: curl would leave
    // out a named default port.
    std::string host = HostLine(url_);
    if (!host.empty()) headerList_ = curl_slist_append(headerList_, ("Host: " + host).c_str());

    // The socket's own headers replace curl's; a GET has no body, so the
    // body's length and type are not sent.
    for (const auto& [name, value] : socket_.RequestHeaders()->Entries()) {
        std::string lower = Lower(name);
        if (lower == "content-length" || lower == "content-type") continue;
        headerList_ = curl_slist_append(headerList_, (name + ": " + value).c_str());
    }
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headerList_);

    // Only the socket's proxy counts, never one from the environment.
    std::string proxy = socket_.HTTPProxyAddress();
    curl_easy_setopt(easy_, CURLOPT_PROXY, proxy.c_str());
    if (!proxy.empty() && socket_.HTTPProxyPort() != 0)
        curl_easy_setopt(easy_, CURLOPT_PROXYPORT, static_cast<long>(socket_.HTTPProxyPort()));
}

size_t HttpTransfer::OnBody(char* data, size_t size, size_t count, void* self) {
    auto* t = static_cast<HttpTransfer*>(self);
    size_t n = size * count;
    size_t room = HTTPSocket::kMaxBody - t->body_.size();
    if (n > room) {
        // Keep what fits and stop reading: memory stays bounded.
        t->body_.append(data, room);
        return 0;
    }
    t->body_.append(data, n);
    return n;
}

int HttpTransfer::OnConnected(void* self, char* /*serverIp*/, char* /*localIp*/, int /*serverPort*/,
                              int /*localPort*/) {
    static_cast<HttpTransfer*>(self)->connected_ = true;
    return CURL_PREREQFUNC_OK;
}

size_t HttpTransfer::OnHeader(char* data, size_t size, size_t count, void* self) {
    auto* t = static_cast<HttpTransfer*>(self);
    size_t n = size * count;
    std::string line(data, n);
    if (line.rfind("HTTP/", 0) == 0) {
        // A status line starts the headers afresh.
        t->replyHeaders_ = std::make_shared<InternetHeaders>();
        t->headerBytes_ = 0;
        size_t blank = line.find(' ');
        t->status_ = blank == std::string::npos ? 0 : std::atoi(line.c_str() + blank + 1);
        return n;
    }
    size_t colon = line.find(':');
    if (colon == std::string::npos) return n;
    // The first headers up to the cap are kept; the rest are read and
    // dropped, so that memory stays bounded.
    if (t->headerBytes_ + n > kMaxReplyHeaderBytes) {
        t->headerBytes_ = kMaxReplyHeaderBytes;
        return n;
    }
    t->headerBytes_ += n;
    t->replyHeaders_->AppendHeader(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
    return n;
}

void HttpTransfer::Done(CURLcode result) {
    HttpMulti::Instance().Remove(easy_);
    running_ = false;
    HTTPSocket& socket = socket_;
    // The socket's event may close its window (and so the socket); keep both
    // this transfer and the socket alive until the event has run.
    std::shared_ptr<Object> keepSocket = socket.weak_from_this().lock();
    std::unique_ptr<HttpTransfer> self = std::move(socket.transfer_);
    // A reply for a window that has closed meanwhile is dropped.
    if (hadOwner_) {
        auto window = socket.Window();
        if (!window || !window->IsOpen()) return;
    }
    // Once connected, whatever curl made of the reply (cut short, a header
    // too long for it, no reply at all), what arrived is the page.
    if (connected_ || result == CURLE_OK) socket.Finished(url_, status_, replyHeaders_, std::move(body_));
    else socket.Failed(HttpErrorCode(result));
}

}  // namespace fw

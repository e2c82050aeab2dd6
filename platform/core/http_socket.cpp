#include "platform/core/http_transfer.h"
#include "platform/core/text_decoding.h"

#include <curl/urlapi.h>

#include <cstdlib>

namespace fw {

HTTPSocket::HTTPSocket() : requestHeaders_(std::make_shared<InternetHeaders>()) {}

HTTPSocket::~HTTPSocket() = default;  // the transfer's end removes it from the loop

void HTTPSocket::Constructor() {
    requestHeaders_ = std::make_shared<InternetHeaders>();
    requestHeaders_->AppendHeader("Accept", "*/*");
    requestHeaders_->AppendHeader("Accept-Language", "en");
    requestHeaders_->AppendHeader("Content-length", "0");
    Port(80);
}

const std::type_info* HTTPSocket::EventSignature(const std::string& event) const {
    if (event == "PageReceived") return &typeid(PageReceivedHandler);
    if (event == "Error") return &typeid(ErrorHandler);
    return Control::EventSignature(event);
}

void HTTPSocket::Get(const std::string& url) {
    CheckMainThread();
    Close();
    // Address and Port take the URL's host and port (80 when it names none).
    if (CURLU* u = curl_url()) {
        if (curl_url_set(u, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK) {
            char* host = nullptr;
            char* port = nullptr;
            if (curl_url_get(u, CURLUPART_HOST, &host, 0) == CURLUE_OK) Address(host);
            if (curl_url_get(u, CURLUPART_PORT, &port, CURLU_DEFAULT_PORT) == CURLUE_OK) Port(std::atoi(port));
            curl_free(host);
            curl_free(port);
        }
        curl_url_cleanup(u);
    }
    transfer_ = std::make_unique<HttpTransfer>(*this, url);
}

void HTTPSocket::Close() { transfer_.reset(); }

bool HTTPSocket::Busy() const { return transfer_ != nullptr; }

void HTTPSocket::Finished(const std::string& url, int32_t status, std::shared_ptr<InternetHeaders> headers,
                          std::string body) {
    auto self = std::static_pointer_cast<HTTPSocket>(weak_from_this().lock());
    // The body is handed over as text: decoded from whatever encoding it came
    // in, so that its tags and words read the same in any of them.
    std::string text = DecodeText(body, CharsetOf(headers->Value("Content-Type")));
    Raise<std::shared_ptr<HTTPSocket>, std::string, int32_t, std::shared_ptr<InternetHeaders>, std::string>(
        "PageReceived", self, url, status, std::move(headers), std::move(text));
}

void HTTPSocket::Failed(int32_t code) {
    auto self = std::static_pointer_cast<HTTPSocket>(weak_from_this().lock());
    Raise<std::shared_ptr<HTTPSocket>, int32_t>("Error", self, code);
}

}  // namespace fw

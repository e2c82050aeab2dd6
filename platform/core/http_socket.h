// HTTP: request headers and the asynchronous client.
#pragma once

#include "platform/core/controls.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace fw {

class InternetHeaders : public Object {
public:
    void AppendHeader(const std::string& name, const std::string& value);
    std::string Value(const std::string& name) const;  // first of that name, case-insensitive
    int Count() const { return static_cast<int>(entries_.size()); }
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }
    std::string ClassName() const override { return "InternetHeaders"; }

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// An asynchronous HTTP client. Get returns at once; later PageReceived
// (socket, url, status, headers, body) or Error (socket, code) is raised on
// the main thread. The body comes as UTF-8 text, decoded by its byte-order
// mark, else by the charset its Content-Type names, else as UTF-8 or
// Windows-1252 (DecodeText).
class HTTPSocket : public Control {
public:
    HTTPSocket();
    ~HTTPSocket() override;
    virtual void Constructor();  // default headers and port 80
    void Get(const std::string& url);
    void Close();                               // ends a request in flight; no event follows
    void _WindowClosed() override { Close(); }  // its window closed: the request ends
    FW_PROPERTY(bool, Yield, false)
    FW_PROPERTY(int32_t, Port, 0)  // the URL's, set by Get
    FW_PROPERTY(int32_t, HTTPProxyPort, 0)
    FW_PROPERTY(std::string, HTTPProxyAddress, "")  // empty: no proxy
    FW_PROPERTY(std::string, Address, "")           // the URL's host, set by Get
    std::string ClassName() const override { return "HTTPSocket"; }
    // The request headers that will be sent (after the defaults).
    const std::shared_ptr<InternetHeaders>& RequestHeaders() const { return requestHeaders_; }
    bool Busy() const;
    static constexpr size_t kMaxBody = 1 << 20;  // a longer body is cut here

    using PageReceivedHandler = std::function<void(std::shared_ptr<HTTPSocket>, std::string, int32_t,
                                                   std::shared_ptr<InternetHeaders>, std::string)>;
    using ErrorHandler = std::function<void(std::shared_ptr<HTTPSocket>, int32_t)>;

protected:
    void DeclareProperties(PropertyTable& table) const override {
        Control::DeclareProperties(table);
        table.Add(YieldProperty, PortProperty, HTTPProxyPortProperty, HTTPProxyAddressProperty, AddressProperty);
    }
    const std::type_info* EventSignature(const std::string& event) const override;

private:
    friend class HttpTransfer;
    void Finished(const std::string& url, int32_t status, std::shared_ptr<InternetHeaders> headers, std::string body);
    void Failed(int32_t code);
    std::shared_ptr<InternetHeaders> requestHeaders_;
    std::unique_ptr<class HttpTransfer> transfer_;
};

}  // namespace fw

// A real HTTP server on 127.0.0.1 for tests: a free port, a scripted reply
// for every connection, and the request bytes as they arrived. Header-only so
// that the logic and the end-to-end tests can both use it.
#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace quorrel::test {

class HttpServer {
public:
    // What the server does once a request's header block has arrived.
    struct Reply {
        std::string bytes;       // sent as they stand
        bool closeAfter = true;  // close the connection after sending
        bool answer = true;      // false: accept, read, and never answer
        int delayMs = 0;         // wait this long before answering
        static Reply Ok(const std::string& body, int status = 200, bool withLength = true) {
            std::string head = "HTTP/1.0 " + std::to_string(status) + (status == 200 ? " OK" : " Status") + "\r\n";
            head += "Content-Type: text/xml\r\n";
            if (withLength) head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
            return Reply{head + "\r\n" + body};
        }
        static Reply Raw(const std::string& bytes) { return Reply{bytes}; }
        // A 200 reply whose header block holds `lines` filler lines of
        // `length` bytes each after its Content-Type, then the body.
        static Reply HugeHeaders(size_t lines, size_t length, const std::string& body) {
            std::string filler = "X-Filler: " + std::string(length, 'f') + "\r\n";
            std::string bytes = "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\n";
            bytes.reserve(bytes.size() + lines * filler.size() + 2 + body.size());
            for (size_t i = 0; i < lines; ++i) bytes += filler;
            return Reply{bytes + "\r\n" + body};
        }
        static Reply CloseAtOnce() { return Reply{""}; }
        static Reply Silent() { return Reply{"", false, false}; }
        Reply After(int ms) const {
            Reply r = *this;
            r.delayMs = ms;
            return r;
        }
    };

    HttpServer() {
        listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (listen_ < 0) throw std::runtime_error("test server: no socket");
        int one = 1;
        ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        if (::bind(listen_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listen_, 16) != 0)
            throw std::runtime_error("test server: cannot listen");
        socklen_t len = sizeof addr;
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        if (::pipe2(wake_, O_CLOEXEC) != 0) throw std::runtime_error("test server: no pipe");
        thread_ = std::thread([this] { Serve(); });
    }
    ~HttpServer() {
        stop_ = true;
        char c = 0;
        (void)!::write(wake_[1], &c, 1);
        thread_.join();
        for (auto& conn : conns_) ::close(conn.fd);
        ::close(listen_);
        ::close(wake_[0]);
        ::close(wake_[1]);
    }
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    int Port() const { return port_; }
    void SetReply(Reply reply) {
        std::lock_guard lock(mutex_);
        reply_ = std::move(reply);
    }
    // Every request's header block, in the order they arrived.
    std::vector<std::string> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    int RequestCount() const { return static_cast<int>(Requests().size()); }
    // Connections the client has closed while the server still held them open.
    int ClientCloses() const {
        std::lock_guard lock(mutex_);
        return clientCloses_;
    }
    // Waits (real time) until pred holds on the server's state.
    bool WaitFor(const std::function<bool(const HttpServer&)>& pred, int timeoutMs) const {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!pred(*this)) {
            if (std::chrono::steady_clock::now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

    // A port on loopback where nothing listens (bound, then closed).
    static int RefusingPort() {
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        ::close(fd);
        return ntohs(addr.sin_port);
    }

private:
    struct Conn {
        int fd;
        std::string in;
        bool answered = false;  // held open after the reply, or never answered
    };

    void Serve() {
        while (!stop_) {
            std::vector<pollfd> fds{{listen_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
            for (auto& c : conns_) fds.push_back({c.fd, POLLIN, 0});
            if (::poll(fds.data(), fds.size(), 1000) <= 0) continue;
            if (fds[0].revents & POLLIN) {
                int fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
                if (fd >= 0) conns_.push_back({fd, "", false});
            }
            for (size_t i = 2; i < fds.size(); ++i) {
                if (!fds[i].revents) continue;
                Conn& c = conns_[i - 2];
                char buf[4096];
                ssize_t n = ::read(c.fd, buf, sizeof buf);
                if (n <= 0) {
                    std::lock_guard lock(mutex_);
                    ++clientCloses_;
                    ::close(c.fd);
                    c.fd = -1;
                    continue;
                }
                if (c.answered) continue;  // bytes after the header block are not ours to read
                c.in.append(buf, static_cast<size_t>(n));
                size_t end = c.in.find("\r\n\r\n");
                if (end == std::string::npos) continue;
                Reply reply;
                {
                    std::lock_guard lock(mutex_);
                    requests_.push_back(c.in.substr(0, end + 4));
                    reply = reply_;
                }
                c.answered = true;
                if (!reply.answer) continue;
                if (reply.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(reply.delayMs));
                SendAll(c.fd, reply.bytes);
                if (reply.closeAfter) {
                    ::close(c.fd);
                    c.fd = -1;
                }
            }
            conns_.erase(std::remove_if(conns_.begin(), conns_.end(), [](const Conn& c) { return c.fd < 0; }),
                         conns_.end());
        }
    }
    static void SendAll(int fd, const std::string& bytes) {
        size_t sent = 0;
        while (sent < bytes.size()) {
            ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return;  // the client went away (a capped body, say)
            sent += static_cast<size_t>(n);
        }
    }

    int listen_ = -1, port_ = 0;
    int wake_[2] = {-1, -1};
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::vector<Conn> conns_;  // the server thread's alone
    mutable std::mutex mutex_;
    Reply reply_ = Reply::Ok("");
    std::vector<std::string> requests_;
    int clientCloses_ = 0;
};

}  // namespace quorrel::test

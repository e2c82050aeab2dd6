// The HTTP client against a real server on loopback: the request on the wire,
// the ways a reply can end, the errors, the cap, and closing.
#include "platform/framework.h"
#include "platform/headless/headless.h"
#include "tests/support/http_server.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using fw::HTTPSocket;
using fw::InternetHeaders;
using quorrel::test::HttpServer;

struct Page {
    std::string url;
    int32_t status = -1;
    std::shared_ptr<InternetHeaders> headers;
    std::string body;
};

class HttpSocketTest : public ::testing::Test {
protected:
    void SetUp() override {
        backend = &fw::headless::InstallNew();
        socket = std::make_shared<HTTPSocket>();
        socket->Constructor();
        socket->AddHandler("PageReceived",
                           HTTPSocket::PageReceivedHandler([this](std::shared_ptr<HTTPSocket> s,
                                                                  std::string url,
                                                                  int32_t status,
                                                                  std::shared_ptr<InternetHeaders>
                                                                      headers,
                                                                  std::string body) {
                               EXPECT_EQ(s, socket);
                               ++events;
                               page = Page{url, status, headers, body};
                           }));
        socket->AddHandler("Error", HTTPSocket::ErrorHandler([this](std::shared_ptr<HTTPSocket> s, int32_t code) {
                               EXPECT_EQ(s, socket);
                               ++events;
                               error = code;
                           }));
    }
    std::string Url(int port) const { return "http://127.0.0.1:" + std::to_string(port) + "/Updates/quorrel.xml"; }
    bool WaitForEvent(int64_t ms = 5000) {
        return backend->RunUntil([this] { return events > 0; }, ms);
    }

    fw::headless::Headless* backend = nullptr;
    HttpServer server;
    std::shared_ptr<HTTPSocket> socket;
    int events = 0;
    std::optional<Page> page;
    std::optional<int32_t> error;
};

TEST_F(HttpSocketTest, SendsExactlyTheRequestLineAndThreeHeaders) {
    server.SetReply(HttpServer::Reply::Ok("x"));
    socket->Get(Url(server.Port()));
    EXPECT_EQ(socket->Address(), "127.0.0.1");
    EXPECT_EQ(socket->Port(), server.Port());
    ASSERT_TRUE(WaitForEvent());
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0],
              "GET /Updates/quorrel.xml HTTP/1.0\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(server.Port()) +
                  "\r\n"
                  "Accept: */*\r\n"
                  "Accept-Language: en\r\n"
                  "\r\n");
}

TEST_F(HttpSocketTest, DefaultsBeforeAnyRequest) {
    EXPECT_EQ(socket->Port(), 80);
    EXPECT_EQ(socket->RequestHeaders()->Value("accept"), "*/*");
    EXPECT_EQ(socket->RequestHeaders()->Value("Accept-Language"), "en");
    EXPECT_EQ(socket->RequestHeaders()->Value("Content-length"), "0");
    EXPECT_FALSE(socket->Busy());
}

struct ReplyCase {
    const char* name;
    HttpServer::Reply reply;
    int32_t status;
    std::string body;
};
void PrintTo(const ReplyCase& c, std::ostream* os) { *os << c.name; }

class HttpReplyTest : public HttpSocketTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(HttpReplyTest, DeliversThePageWhateverTheStatus) {
    server.SetReply(GetParam().reply);
    socket->Get(Url(server.Port()));
    ASSERT_TRUE(WaitForEvent());
    EXPECT_FALSE(error.has_value());
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->url, Url(server.Port()));
    EXPECT_EQ(page->status, GetParam().status);
    EXPECT_EQ(page->body, GetParam().body);
    EXPECT_FALSE(socket->Busy());
    // One event per request, nothing afterwards.
    backend->RunUntil([] { return false; }, 100);
    EXPECT_EQ(events, 1);
}

const std::string kUpdateFile = "<CurrentVersion>1.3.0</CurrentVersion>";

INSTANTIATE_TEST_SUITE_P(
    Replies, HttpReplyTest,
    ::testing::Values(
        ReplyCase{"WithContentLength", HttpServer::Reply::Ok(kUpdateFile), 200, kUpdateFile},
        // Complete at its length although the server keeps the connection open.
        ReplyCase{
            "LengthReachedConnectionOpen", HttpServer::Reply{HttpServer::Reply::Ok("abc").bytes, false}, 200, "abc"},
        ReplyCase{"ClosedWithoutContentLength", HttpServer::Reply::Ok(kUpdateFile, 200, false), 200, kUpdateFile},
        ReplyCase{"ClosedBeforeAnyByte", HttpServer::Reply::CloseAtOnce(), 0, ""},
        ReplyCase{"BrokenInTheMiddle",
                  HttpServer::Reply::Raw("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n<CurrentVer"),
                  200,
                  "<CurrentVer"},
        ReplyCase{"ErrorStatusWithBody", HttpServer::Reply::Ok("<h1>Not Found</h1>", 404), 404, "<h1>Not Found</h1>"},
        // Not UTF-8 and nothing declared: read as Windows-1252, handed over as UTF-8.
        ReplyCase{"BinaryBody",
                  HttpServer::Reply::Ok(std::string("\0\xff\x01<Free>", 9)),
                  200,
                  std::string("\0\xc3\xbf\x01<Free>", 10)},
        // Connected, so a page whatever curl makes of it: no status line is
        // all body; past a header it will not hold, the body is not read.
        ReplyCase{"NoStatusLine", HttpServer::Reply::Raw(kUpdateFile), 0, kUpdateFile},
        ReplyCase{"HeaderLineOf300KB", HttpServer::Reply::HugeHeaders(1, 300 * 1024, kUpdateFile), 200, ""},
        ReplyCase{"TenMegabytesOfHeaderLines", HttpServer::Reply::HugeHeaders(100 * 1024, 90, kUpdateFile), 200, ""}),
    [](const ::testing::TestParamInfo<ReplyCase>& info) { return std::string(info.param.name); });

TEST_F(HttpSocketTest, ReplyHeadersAreHandedOver) {
    server.SetReply(HttpServer::Reply::Ok("abc"));
    socket->Get(Url(server.Port()));
    ASSERT_TRUE(WaitForEvent());
    ASSERT_TRUE(page && page->headers);
    EXPECT_EQ(page->headers->Value("content-type"), "text/xml");
    EXPECT_EQ(page->headers->Value("Content-Length"), "3");
}

TEST_F(HttpSocketTest, HeadersKeptAreBounded) {
    server.SetReply(HttpServer::Reply::HugeHeaders(100 * 1024, 90, kUpdateFile));
    socket->Get(Url(server.Port()));
    ASSERT_TRUE(WaitForEvent(10000));
    ASSERT_TRUE(page && page->headers);
    EXPECT_EQ(page->headers->Value("Content-Type"), "text/xml");
    size_t kept = 0;
    for (const auto& [name, value] : page->headers->Entries()) kept += name.size() + value.size();
    EXPECT_GT(page->headers->Entries().size(), 100u);
    EXPECT_LE(kept, size_t{64} * 1024);
}

TEST_F(HttpSocketTest, RefusedConnectionRaisesErrorWithItsCode) {
    socket->Get(Url(HttpServer::RefusingPort()));
    ASSERT_TRUE(WaitForEvent());
    EXPECT_FALSE(page.has_value());
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, 102);
}

TEST_F(HttpSocketTest, UnknownHostRaisesErrorWithItsCode) {
    socket->Get("http://quorrel-update-test.invalid/Updates/quorrel.xml");
    ASSERT_TRUE(WaitForEvent(30000));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, 103);
}

TEST_F(HttpSocketTest, LongBodyIsCutAtTheCap) {
    std::string big(3 * 1024 * 1024, 'a');
    for (size_t i = 0; i < big.size(); i += 1000) big[i] = static_cast<char>('0' + (i / 1000) % 10);
    server.SetReply(HttpServer::Reply::Ok(big));
    socket->Get(Url(server.Port()));
    ASSERT_TRUE(WaitForEvent(10000));
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->body.size(), HTTPSocket::kMaxBody);
    EXPECT_EQ(page->body, big.substr(0, HTTPSocket::kMaxBody));
}

TEST_F(HttpSocketTest, SilentServerKeepsTheLoopRunningUntilClosed) {
    server.SetReply(HttpServer::Reply::Silent());
    int ticks = 0;
    backend->StartTimer(10, true, [&] { ++ticks; });
    socket->Get(Url(server.Port()));
    EXPECT_TRUE(backend->RunUntil([&] { return ticks >= 30 && server.RequestCount() == 1; }, 5000));
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(socket->Busy());

    socket->Close();
    EXPECT_FALSE(socket->Busy());
    EXPECT_TRUE(server.WaitFor([](const HttpServer& s) { return s.ClientCloses() == 1; }, 5000));
    backend->RunUntil([] { return false; }, 100);
    EXPECT_EQ(events, 0);
}

TEST_F(HttpSocketTest, ReplyAfterCloseRaisesNothing) {
    server.SetReply(HttpServer::Reply::Ok(kUpdateFile).After(100));
    socket->Get(Url(server.Port()));
    ASSERT_TRUE(backend->RunUntil([&] { return server.RequestCount() == 1; }, 5000));
    socket->Close();
    backend->RunUntil([] { return false; }, 300);
    EXPECT_EQ(events, 0);
}

TEST_F(HttpSocketTest, GetAgainReplacesTheEarlierRequest) {
    HttpServer second;
    server.SetReply(HttpServer::Reply::Silent());
    second.SetReply(HttpServer::Reply::Ok("second"));
    socket->Get(Url(server.Port()));
    ASSERT_TRUE(backend->RunUntil([&] { return server.RequestCount() == 1; }, 5000));
    socket->Get(Url(second.Port()));
    ASSERT_TRUE(WaitForEvent());
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->body, "second");
    EXPECT_TRUE(server.WaitFor([](const HttpServer& s) { return s.ClientCloses() == 1; }, 5000));
}

TEST_F(HttpSocketTest, ProxyReceivesTheRequestForTheNamedHost) {
    server.SetReply(HttpServer::Reply::Ok("via proxy"));
    socket->SetProperty("HTTPProxyAddress", std::string("127.0.0.1"));
    socket->SetProperty("HTTPProxyPort", int32_t{server.Port()});
    socket->Get("http://updates.quorrel.example/Updates/quorrel.xml");
    ASSERT_TRUE(WaitForEvent());
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->body, "via proxy");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].rfind("GET http://updates.quorrel.example/Updates/quorrel.xml HTTP/1.0\r\n", 0), 0u);
    EXPECT_NE(server.Requests()[0].find("\r\nHost: updates.quorrel.example\r\n"), std::string::npos);
}

// The Host line carries the port whenever the URL names one, the default
// port included.
struct HostCase {
    const char* name;
    std::string url, host;
};
void PrintTo(const HostCase& c, std::ostream* os) { *os << c.name; }

class HttpHostTest : public HttpSocketTest, public ::testing::WithParamInterface<HostCase> {};

TEST_P(HttpHostTest, HostNamesThePortThatTheUrlNames) {
    server.SetReply(HttpServer::Reply::Ok("via proxy"));
    socket->SetProperty("HTTPProxyAddress", std::string("127.0.0.1"));
    socket->SetProperty("HTTPProxyPort", int32_t{server.Port()});
    socket->Get(GetParam().url);
    ASSERT_TRUE(WaitForEvent());
    ASSERT_EQ(server.Requests().size(), 1u);
    const std::string request = server.Requests()[0];
    EXPECT_NE(request.find("\r\nHost: " + GetParam().host + "\r\n"), std::string::npos) << request;
    EXPECT_EQ(request.find("Host:"), request.rfind("Host:")) << "one Host line";
}

INSTANTIATE_TEST_SUITE_P(
    Urls, HttpHostTest,
    ::testing::Values(
        HostCase{"NoPort", "http://updates.quorrel.example/Updates/quorrel.xml", "updates.quorrel.example"},
        HostCase{
            "DefaultPortNamed", "http://updates.quorrel.example:80/Updates/quorrel.xml", "updates.quorrel.example:80"},
        HostCase{
            "OtherPort", "http://updates.quorrel.example:8080/Updates/quorrel.xml", "updates.quorrel.example:8080"}),
    [](const ::testing::TestParamInfo<HostCase>& info) { return std::string(info.param.name); });

}  // namespace

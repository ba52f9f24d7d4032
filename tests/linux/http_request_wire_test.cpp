// What the libcurl request object puts on the wire beyond the contract every
// back end shares: exactly which fields, cookies across hosts, UTF-8 at the
// edge, and the requests it refuses to send.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "contract/http_contract.h"
#include "linux/http_test_server_linux.h"
#include "platform/platform.h"

namespace quorrin::testing {
namespace {

using platform::HttpRequestObject;

struct Answer {
  Bytes body;
  Text headers;
};

class HttpRequestWireTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = LinuxHttpTestEnvironment();
    if (server_.http.empty()) GTEST_FAIL() << server_.problem;
  }

  // One exchange with the object; `headers` are set in order after Open.
  Answer Exchange(const Text& method, const std::string& url,
                  std::vector<std::pair<Text, Text>> headers = {},
                  const std::optional<Bytes>& bytes = std::nullopt,
                  const Text& text = Text()) {
    HttpRequestObject object =
        HttpRequestObject::Create("WinHttp.WinHttpRequest.5.1");
    object.SetTimeouts(5000, 5000, 5000, 5000);
    object.Open(method, Text(url), false);
    for (const auto& [name, value] : headers) {
      object.SetRequestHeader(name, value);
    }
    if (bytes) {
      object.Send(*bytes);
    } else {
      object.Send(text);
    }
    return {object.ResponseBody(), object.GetallResponseHeaders()};
  }

  std::vector<std::string> FieldNames(const EchoedRequest& echoed) {
    std::vector<std::string> names;
    for (const auto& field : echoed.fields) names.push_back(field.first);
    return names;
  }

  HttpTestEnvironment server_;
};

TEST_F(HttpRequestWireTest, AddsNoFieldsOfItsOwnButHostUserAgentAndLength) {
  struct Case {
    const char* method;
    std::string body;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      // A GET with an empty body sends no body at all.
      {"GET", "", {"Host", "User-Agent"}},
      {"POST", "", {"Host", "User-Agent", "Content-Length"}},
      // No "Expect: 100-continue" wait before a large body, and no
      // Content-Type guessed for it.
      {"POST",
       std::string(2 * 1024 * 1024, 'x'),
       {"Host", "User-Agent", "Content-Length"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.method + std::to_string(c.body.size()));
    EchoedRequest echoed = ParseEcho(Exchange(c.method, server_.http + "/echo",
                                              {}, std::nullopt, Text(c.body))
                                         .body);
    EXPECT_EQ(FieldNames(echoed), c.names);
    EXPECT_EQ(echoed.body.size(), c.body.size());
  }
}

TEST_F(HttpRequestWireTest, MergesTheCallersCookiesWithTheChainsOwn) {
  // One Cookie line on the later hop: the caller's a, and the caller's c
  // replaced by the value the redirect set.
  EchoedRequest echoed = ParseEcho(
      Exchange("GET", server_.http + "/redirect?to=/echo&cookie=c=new",
               {{"Cookie", " a=1; c=old;"}})
          .body);
  std::vector<std::string> cookies = echoed.Values("Cookie");
  ASSERT_EQ(cookies.size(), 1u);
  EXPECT_NE(cookies[0].find("a=1"), std::string::npos) << cookies[0];
  EXPECT_NE(cookies[0].find("c=new"), std::string::npos) << cookies[0];
  EXPECT_EQ(cookies[0].find("old"), std::string::npos) << cookies[0];
}

TEST_F(HttpRequestWireTest, KeepsTheCallersCookiesFromOtherHosts) {
  // The same server under another name: a redirect there must not carry the
  // cookies meant for the first host.
  std::string port = server_.http.substr(server_.http.rfind(':') + 1);
  EchoedRequest echoed = ParseEcho(
      Exchange("GET",
               server_.http + "/redirect?to=http://localhost:" + port + "/echo",
               {{"Cookie", " a=1"}})
          .body);
  ASSERT_EQ(echoed.requestLine, "GET /echo HTTP/1.1");
  EXPECT_TRUE(echoed.Values("Cookie").empty());
}

TEST_F(HttpRequestWireTest, SendsTextsAsUtf8) {
  // 中 is D6 D0 in the code page and E4 B8 AD in UTF-8.
  EchoedRequest echoed =
      ParseEcho(Exchange("GET", server_.http + "/echo?q=\xD6\xD0",
                         {{"X-Text", " \xD6\xD0"}})
                    .body);
  EXPECT_EQ(echoed.requestLine, "GET /echo?q=%E4%B8%AD HTTP/1.1");
  EXPECT_EQ(echoed.Values("X-Text"), std::vector<std::string>{"\xE4\xB8\xAD"});
}

TEST_F(HttpRequestWireTest, ReturnsTheHeaderLinesAsWritten) {
  Answer answer = Exchange("GET", server_.http + "/empty");
  EXPECT_EQ(answer.headers.view(),
            "X-Empty: yes\r\nContent-Type: application/octet-stream\r\n"
            "Content-Length: 0");
}

TEST_F(HttpRequestWireTest, UsesOtherMethodsAsGiven) {
  EchoedRequest echoed = ParseEcho(
      Exchange("PUT", server_.http + "/echo", {}, Bytes(std::string("b")))
          .body);
  EXPECT_EQ(echoed.requestLine, "PUT /echo HTTP/1.1");
  EXPECT_EQ(echoed.body, "b");

  Answer head = Exchange("HEAD", server_.http + "/bytes");
  EXPECT_TRUE(head.body.empty());
  EXPECT_NE(head.headers.view().find("Content-Length: 258"), std::string::npos);
}

TEST_F(HttpRequestWireTest, SendsNothingThatCouldSmuggleAnotherRequest) {
  // A field whose value would end the line is dropped, the rest goes.
  EchoedRequest echoed =
      ParseEcho(Exchange("GET", server_.http + "/echo",
                         {{"X-Bad", " a\r\nX-Injected: 1"}, {"X-Good", " 1"}})
                    .body);
  EXPECT_TRUE(echoed.Values("X-Bad").empty());
  EXPECT_TRUE(echoed.Values("X-Injected").empty());
  EXPECT_EQ(echoed.Values("X-Good"), std::vector<std::string>{"1"});

  // A method or URL that is not one fails the request as a whole.
  struct Case {
    const char* method;
    std::string url;
  };
  const Case refused[] = {
      {"GET /other HTTP/1.1\r\nX:", server_.http + "/echo"},
      {"", server_.http + "/echo"},
      {"GET", server_.http + "/echo HTTP/1.1\r\nX-Injected: 1\r\n"},
      // Only HTTP and HTTPS, never a local file, not even by redirect.
      {"GET", "file:///etc/hostname"},
      {"GET", server_.http + "/redirect?to=file:///etc/hostname"},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(c.url);
    Answer answer = Exchange(c.method, c.url);
    EXPECT_TRUE(answer.body.empty());
    EXPECT_TRUE(answer.headers.empty());
  }
}

TEST_F(HttpRequestWireTest, NeedsOpenBeforeHeadersAndSend) {
  HttpRequestObject object =
      HttpRequestObject::Create("WinHttp.WinHttpRequest.5.1");
  object.Send(Text());
  EXPECT_TRUE(object.ResponseBody().empty());

  object.SetRequestHeader("X-Early", " 1");
  object.Open("GET", Text(server_.http + "/echo"), false);
  object.Send(Text());
  EchoedRequest echoed = ParseEcho(object.ResponseBody());
  EXPECT_EQ(echoed.requestLine, "GET /echo HTTP/1.1");
  EXPECT_TRUE(echoed.Values("X-Early").empty());

  // A Send uses the request up; the answer stays readable.
  object.Send(Text());
  EXPECT_EQ(ParseEcho(object.ResponseBody()).requestLine, "GET /echo HTTP/1.1");
}

}  // namespace
}  // namespace quorrin::testing

#include "contract/http_contract.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace quorrin::testing {
namespace {

using platform::HttpRequestObject;

constexpr char kProgId[] = "WinHttp.WinHttpRequest.5.1";
constexpr char kDefaultUserAgent[] =
    "Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)";
constexpr std::string_view kRedirectBody{"redirect body\0end", 17};

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string ToString(const Bytes& bytes) { return std::string(bytes.view()); }

// Every byte value once, then two zero bytes: what /bytes and /chunked send.
std::string BinaryBody() {
  std::string body;
  for (int value = 0; value < 256; ++value) body += static_cast<char>(value);
  body += std::string(2, '\0');
  return body;
}

struct Request {
  Text method = "GET";
  std::string url;
  std::vector<std::pair<Text, Text>> headers;
  bool followRedirects = true;
  // Milliseconds for all four phases; 0 leaves the object's own.
  std::int32_t timeoutMs = 0;
  std::optional<Bytes> bytesBody;
  Text textBody;
};

struct Answer {
  Bytes body;
  Text headers;
};

// One exchange, in the order the web request routine drives the object.
Answer RunExchange(const Request& request) {
  HttpRequestObject object = HttpRequestObject::Create(kProgId);
  EXPECT_TRUE(object);
  if (request.timeoutMs != 0) {
    object.SetTimeouts(request.timeoutMs, request.timeoutMs, request.timeoutMs,
                       request.timeoutMs);
  }
  object.Open(request.method, Text(request.url), false);
  if (!request.followRedirects) object.SetOption(6, 0);
  for (const auto& [name, value] : request.headers) {
    object.SetRequestHeader(name, value);
  }
  if (request.bytesBody) {
    object.Send(*request.bytesBody);
  } else {
    object.Send(request.textBody);
  }
  Answer answer{object.ResponseBody(), object.GetallResponseHeaders()};
  object.Release();
  return answer;
}

EchoedRequest Echo(const std::string& url,
                   std::vector<std::pair<Text, Text>> headers = {}) {
  Request request;
  request.url = url;
  request.headers = std::move(headers);
  return ParseEcho(RunExchange(request).body);
}

}  // namespace

HttpTestEnvironment ReadHttpTestEndpoints(const std::string& path) {
  HttpTestEnvironment environment;
  std::ifstream file(path);
  if (!file) {
    environment.problem = "cannot read " + path;
    return environment;
  }
  std::string line;
  while (std::getline(file, line)) {
    std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = line.substr(0, equals);
    std::string value = line.substr(equals + 1);
    if (key == "http") environment.http = value;
    if (key == "https") environment.httpsUntrusted = value;
    if (key == "refused") environment.refused = value;
  }
  // Under the top-level domain reserved never to resolve (RFC 6761 6.4).
  environment.unresolvable = "http://quorrin-contract.invalid";
  if (environment.http.empty() || environment.httpsUntrusted.empty() ||
      environment.refused.empty()) {
    environment.http.clear();
    environment.problem = path + " names no http, https or refused endpoint";
  }
  return environment;
}

HttpTestEnvironment HttpTestEnvironmentFromVariable() {
  const char* path = std::getenv(kHttpTestEndpointsVariable);
  if (path == nullptr || *path == '\0') {
    HttpTestEnvironment environment;
    environment.problem =
        std::string(kHttpTestEndpointsVariable) + " is not set";
    return environment;
  }
  return ReadHttpTestEndpoints(path);
}

void HttpContractTest::SetUp() {
  environment_ = GetParam().environment();
  if (environment_.http.empty()) {
    GTEST_FAIL() << "no test server: " << environment_.problem;
  }
}

void PrintTo(const HttpContractBackEnd& backEnd, std::ostream* out) {
  *out << backEnd.name;
}

std::string HttpContractBackEndName(
    const ::testing::TestParamInfo<HttpContractBackEnd>& info) {
  return info.param.name;
}

std::vector<std::string> EchoedRequest::Values(std::string_view name) const {
  std::vector<std::string> values;
  for (const auto& [fieldName, value] : fields) {
    if (EqualsIgnoringAsciiCase(fieldName, name)) values.push_back(value);
  }
  return values;
}

EchoedRequest ParseEcho(const Bytes& body) {
  EchoedRequest echoed;
  std::string_view rest = body.view();
  std::size_t headEnd = rest.find("\r\n\r\n");
  if (headEnd == std::string_view::npos) return echoed;
  std::string_view head = rest.substr(0, headEnd + 2);
  echoed.body = std::string(rest.substr(headEnd + 4));
  std::size_t lineEnd = head.find("\r\n");
  echoed.requestLine = std::string(head.substr(0, lineEnd));
  head.remove_prefix(lineEnd + 2);
  while (!head.empty()) {
    lineEnd = head.find("\r\n");
    std::string_view line = head.substr(0, lineEnd);
    head.remove_prefix(lineEnd + 2);
    std::size_t colon = line.find(':');
    echoed.fields.emplace_back(std::string(line.substr(0, colon)),
                               std::string(Trimmed(line.substr(colon + 1))));
  }
  return echoed;
}

std::vector<std::string> HeaderLines(const Text& headers) {
  std::vector<std::string> lines;
  std::string_view rest = headers.view();
  while (!rest.empty()) {
    std::size_t end = rest.find("\r\n");
    if (end != 0) lines.emplace_back(rest.substr(0, end));
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 2);
  }
  return lines;
}

// --- Creation -------------------------------------------------------------

TEST_P(HttpContractTest, CreatesOnlyFromItsProgId) {
  struct Case {
    const char* progId;
    bool created;
  };
  const Case cases[] = {
      {"WinHttp.WinHttpRequest.5.1", true},
      // Letter case does not matter, ASCII only.
      {"WINHTTP.winhttprequest.5.1", true},
      {"WinHttp.WinHttpRequest.5", false},
      {"WinHttp.WinHttpRequest.5.1 ", false},
      {"MSXML2.XMLHTTP", false},
      {"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.progId);
    EXPECT_EQ(static_cast<bool>(HttpRequestObject::Create(c.progId)),
              c.created);
  }
}

TEST_P(HttpContractTest, EmptyHandleDoesNothing) {
  HttpRequestObject object = HttpRequestObject::Create("No.Such.Object");
  ASSERT_FALSE(object);
  object.SetTimeouts(1000, 1000, 1000, 1000);
  object.Open("GET", Text(server().http + "/echo"), false);
  object.SetOption(6, 0);
  object.SetRequestHeader("X-Test", " 1");
  object.Send(Text());
  EXPECT_TRUE(object.ResponseBody().empty());
  EXPECT_TRUE(object.GetallResponseHeaders().empty());
  object.Release();
  EXPECT_FALSE(object);
}

// --- Redirects ------------------------------------------------------------

TEST_P(HttpContractTest, FollowsRedirectsToTheFinalAnswer) {
  Request request;
  request.url = server().http + "/redirect?to=/echo";
  Answer answer = RunExchange(request);
  EXPECT_EQ(ParseEcho(answer.body).requestLine, "GET /echo HTTP/1.1");
  EXPECT_NE(answer.headers.view().find("X-Final: yes"), std::string::npos);
}

TEST_P(HttpContractTest, ReturnsTheRedirectAnswerItselfWhenNotFollowing) {
  Request request;
  request.url = server().http + "/redirect?to=/echo";
  request.followRedirects = false;
  Answer answer = RunExchange(request);
  // The redirect's own body, zero byte and all.
  EXPECT_EQ(answer.body.view(), kRedirectBody);
  std::vector<std::string> lines = HeaderLines(answer.headers);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Location: /echo"),
            lines.end())
      << answer.headers.view();
}

TEST_P(HttpContractTest, FollowsTenRedirectsButNotEleven) {
  struct Case {
    int redirects;
    std::string_view body;
  };
  for (const Case& c : {Case{10, "arrived"}, Case{11, ""}}) {
    SCOPED_TRACE(c.redirects);
    Request request;
    request.url = server().http + "/hops?n=" + std::to_string(c.redirects);
    Answer answer = RunExchange(request);
    EXPECT_EQ(answer.body.view(), c.body);
    if (c.body.empty()) {
      EXPECT_TRUE(answer.headers.empty());
    }
  }
}

// --- What goes on the wire ------------------------------------------------

TEST_P(HttpContractTest, SendsHeaderNamesAsWrittenAndTheLaterValue) {
  EchoedRequest echoed =
      Echo(server().http + "/echo", {{"x-lower-case", " a"},
                                     {"X-MiXeD-CaSe", " b"},
                                     {"X-Twice", " first"},
                                     {"X-Twice", " second"}});
  ASSERT_EQ(echoed.requestLine, "GET /echo HTTP/1.1");
  std::vector<std::string> names;
  for (const auto& field : echoed.fields) names.push_back(field.first);
  EXPECT_NE(std::find(names.begin(), names.end(), "x-lower-case"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "X-MiXeD-CaSe"), names.end());
  EXPECT_EQ(echoed.Values("x-lower-case"), std::vector<std::string>{"a"});
  EXPECT_EQ(echoed.Values("X-Twice"), std::vector<std::string>{"second"});
  // The body comes back as sent; nothing may ask for it compressed.
  EXPECT_TRUE(echoed.Values("Accept-Encoding").empty());
}

TEST_P(HttpContractTest, SendsItsOwnUserAgentOnlyWhenNoneWasSet) {
  EXPECT_EQ(Echo(server().http + "/echo").Values("User-Agent"),
            std::vector<std::string>{kDefaultUserAgent});
  EXPECT_EQ(Echo(server().http + "/echo", {{"User-Agent", " Mine/1.0"}})
                .Values("User-Agent"),
            std::vector<std::string>{"Mine/1.0"});
}

TEST_P(HttpContractTest, SendsTheBodyGiven) {
  // Bytes go as they are, zero bytes included.
  const std::string bytes("\x00\x01\xFF\xFE\x80zero\x00", 10);
  Request request;
  request.method = "POST";
  request.url = server().http + "/echo";
  request.bytesBody = Bytes(bytes);
  EchoedRequest echoed = ParseEcho(RunExchange(request).body);
  EXPECT_EQ(echoed.requestLine, "POST /echo HTTP/1.1");
  EXPECT_EQ(echoed.body, bytes);
  EXPECT_EQ(echoed.Values("Content-Length"), std::vector<std::string>{"10"});

  // A text goes as UTF-8: 中 is D6 D0 in the code page, E4 B8 AD in UTF-8.
  request.bytesBody.reset();
  request.textBody =
      "a\xD6\xD0"
      "b";
  echoed = ParseEcho(RunExchange(request).body);
  EXPECT_EQ(echoed.body,
            "a\xE4\xB8\xAD"
            "b");
}

// --- What comes back ------------------------------------------------------

TEST_P(HttpContractTest, HandsBackBodyBytesUnchanged) {
  struct Case {
    const char* path;
    std::string body;
  };
  const Case cases[] = {
      {"/bytes", BinaryBody()},
      // Chunks are joined, but nothing else is done to the bytes.
      {"/chunked", BinaryBody()},
      // A compressed body stays compressed.
      {"/gzip",
       std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03+,\xcd/*"
                   "\xca\xcc\xe3\x02\x00\x44\x88\xa3\\\x08\x00\x00\x00",
                   28)},
      // No status is judged: an error answer is an answer.
      {"/status?code=404", "status 404"},
      {"/status?code=500", "status 500"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    Request request;
    request.url = server().http + c.path;
    EXPECT_EQ(ToString(RunExchange(request).body), c.body);
  }
}

TEST_P(HttpContractTest, ReturnsOnlyTheFinalAnswersHeaderLines) {
  Request request;
  request.url = server().http + "/redirect?to=/empty";
  Answer answer = RunExchange(request);
  EXPECT_TRUE(answer.body.empty());
  std::vector<std::string> lines = HeaderLines(answer.headers);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "X-Empty: yes"), lines.end())
      << answer.headers.view();
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    EXPECT_EQ(line.find("X-Hop"), std::string::npos);
    EXPECT_EQ(line.find("Location"), std::string::npos);
    EXPECT_FALSE(line.starts_with("HTTP/"));
    EXPECT_NE(line.find(": "), std::string::npos);
  }
}

// --- Failures -------------------------------------------------------------

TEST_P(HttpContractTest, GivesEmptyValuesWhenNoAnswerArrives) {
  struct Case {
    const char* what;
    std::string url;
  };
  const Case cases[] = {
      // Accepts, reads the request, never answers: the receive time-out.
      {"silent server", server().http + "/silent"},
      {"refused connection", server().refused + "/echo"},
      {"unresolvable host", server().unresolvable + "/echo"},
      {"untrusted certificate", server().httpsUntrusted + "/echo"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Request request;
    request.url = c.url;
    request.timeoutMs = 1000;
    const auto start = std::chrono::steady_clock::now();
    Answer answer = RunExchange(request);
    EXPECT_TRUE(answer.body.empty());
    EXPECT_TRUE(answer.headers.empty());
    // The time-outs, not the server, ended it: the silent server holds the
    // connection for a minute, and its closing it would also give nothing.
    // The bound is far from the seconds it takes, so no machine's load can
    // make it fail.
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::seconds(30));
  }
}

TEST_P(HttpContractTest, RefusesToOpenAsynchronously) {
  HttpRequestObject object = HttpRequestObject::Create(kProgId);
  ASSERT_TRUE(object);
  object.Open("GET", Text(server().http + "/echo"), true);
  object.Send(Text());
  EXPECT_TRUE(object.ResponseBody().empty());
  EXPECT_TRUE(object.GetallResponseHeaders().empty());
}

// --- Cookies --------------------------------------------------------------

TEST_P(HttpContractTest, SendsTheCallersCookieHeader) {
  EchoedRequest echoed =
      Echo(server().http + "/echo", {{"Cookie", " a=1; b=2;"}});
  ASSERT_EQ(echoed.Values("Cookie").size(), 1u);
  const std::string cookie = echoed.Values("Cookie").front();
  EXPECT_NE(cookie.find("a=1"), std::string::npos) << cookie;
  EXPECT_NE(cookie.find("b=2"), std::string::npos) << cookie;
}

TEST_P(HttpContractTest, SendsCookiesSetInsideTheRedirectChainOnly) {
  EchoedRequest echoed =
      Echo(server().http + "/redirect?to=/echo&cookie=hop=1");
  EXPECT_EQ(echoed.Values("Cookie"), std::vector<std::string>{"hop=1"});

  // A new object starts with no cookies.
  EXPECT_TRUE(Echo(server().http + "/echo").Values("Cookie").empty());
}

}  // namespace quorrin::testing

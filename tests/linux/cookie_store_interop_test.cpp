// The cookie file is read by the user's other programs: curl sends its
// cookies, Python's http.cookiejar loads it.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdio.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "linux/cookie_test_home.h"
#include "platform/linux/cookie_file_descriptor.h"
#include "platform/platform.h"
#include "text/text.h"

namespace quorrin::platform {
namespace {

// Answers one HTTP request on a loopback port with an empty 200 and keeps
// the request's head.
class OneRequestServer {
 public:
  OneRequestServer() : listener_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (!listener_ ||
        bind(listener_.get(), reinterpret_cast<sockaddr*>(&address),
             sizeof address) != 0 ||
        listen(listener_.get(), 1) != 0 ||
        getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address),
                    &length) != 0) {
      ADD_FAILURE() << "no loopback listener";
      return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~OneRequestServer() {
    if (thread_.joinable()) thread_.join();
  }

  std::uint16_t port() const { return port_; }
  // The request's head; call after the client is done.
  const std::string& request() {
    if (thread_.joinable()) thread_.join();
    return request_;
  }

 private:
  void Serve() {
    pollfd waiting{listener_.get(), POLLIN, 0};
    if (poll(&waiting, 1, 10000) != 1) return;
    UniqueFd client(accept(listener_.get(), nullptr, nullptr));
    if (!client) return;
    char chunk[4096];
    while (request_.find("\r\n\r\n") == std::string::npos) {
      const ssize_t got = recv(client.get(), chunk, sizeof chunk, 0);
      if (got <= 0) return;
      request_.append(chunk, static_cast<std::size_t>(got));
    }
    const std::string answer =
        "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    EXPECT_EQ(send(client.get(), answer.data(), answer.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(answer.size()));
  }

  UniqueFd listener_;
  std::uint16_t port_ = 0;
  std::thread thread_;
  std::string request_;
};

// Runs `command` through the shell; its standard output, and its exit
// status in `status`.
std::string RunShell(const std::string& command, int& status) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    status = -1;
    return output;
  }
  char chunk[4096];
  std::size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) {
    output.append(chunk, got);
  }
  const int waited = pclose(pipe);
  status = WIFEXITED(waited) ? WEXITSTATUS(waited) : -1;
  return output;
}

bool Have(const std::string& program) {
  int status = 0;
  RunShell("command -v " + program + " >/dev/null 2>&1", status);
  return status == 0;
}

// The "; "-separated items of a Cookie header's value, in any order.
std::set<std::string> CookieHeaderItems(const std::string& request) {
  const std::string field = "\r\nCookie: ";
  const std::size_t start = request.find(field);
  if (start == std::string::npos) return {};
  std::string_view value(request);
  value = value.substr(start + field.size());
  value = value.substr(0, value.find("\r\n"));
  std::set<std::string> items;
  while (!value.empty()) {
    const std::size_t end = value.find("; ");
    items.insert(std::string(value.substr(0, end)));
    value.remove_prefix(end == std::string_view::npos ? value.size() : end + 2);
  }
  return items;
}

TEST(CookieStoreInteropTest, CurlSendsTheStoredCookies) {
  if (!Have("curl")) GTEST_SKIP() << "no curl";
  testing_linux::CookieTestHome home;
  OneRequestServer server;
  const std::string origin =
      "http://127.0.0.1:" + std::to_string(server.port());
  ASSERT_TRUE(WriteStoreCookie(Text(origin), Text("a"), Text("1")));
  // 中文: code page 936 here, UTF-8 in the file and on the wire.
  ASSERT_TRUE(WriteStoreCookie(Text(origin + "/"), Text("zh"),
                               Text("\xD6\xD0\xCE\xC4")));
  ASSERT_TRUE(
      WriteStoreCookie(Text("http://elsewhere.test"), Text("no"), Text("1")));

  int status = 0;
  RunShell("curl -q -sS --noproxy '*' --max-time 10 -o /dev/null -b '" +
               home.file() + "' " + origin + "/",
           status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(CookieHeaderItems(server.request()),
            (std::set<std::string>{"a=1", "zh=\xE4\xB8\xAD\xE6\x96\x87"}))
      << server.request();
}

TEST(CookieStoreInteropTest, PythonLoadsTheFile) {
  if (!Have("python3")) GTEST_SKIP() << "no python3";
  testing_linux::CookieTestHome home;
  // Lines of the kinds other programs write, which Python reads too.
  home.WriteFile(
      "# Netscape HTTP Cookie File\n"
      "# written by someone else\n"
      "\n"
      ".example.com\tTRUE\t/\tTRUE\t4102444800\tdomain\td\n"
      "#HttpOnly_www.example.com\tFALSE\t/\tFALSE\t0\thttponly\th\n");
  ASSERT_TRUE(
      WriteStoreCookie(Text("http://www.example.com"), Text("a"), Text("1")));
  ASSERT_TRUE(WriteStoreCookie(Text("https://www.example.com"), Text("zh"),
                               Text("\xD6\xD0\xCE\xC4")));

  const std::string script = home.root() + "/load.py";
  std::ofstream(script)
      << "import http.cookiejar, sys\n"
         "jar = http.cookiejar.MozillaCookieJar()\n"
         "jar.load(sys.argv[1], ignore_discard=True, ignore_expires=True)\n"
         "for c in jar:\n"
         "    sys.stdout.buffer.write(('%s %s=%s\\n' % (c.domain, c.name,"
         " c.value)).encode('utf-8'))\n";
  int status = 0;
  const std::string output =
      RunShell("python3 '" + script + "' '" + home.file() + "'", status);
  ASSERT_EQ(status, 0) << output;

  std::set<std::string> lines;
  for (std::size_t start = 0, end; start < output.size(); start = end + 1) {
    end = output.find('\n', start);
    lines.insert(output.substr(start, end - start));
  }
  EXPECT_EQ(lines, (std::set<std::string>{
                       ".example.com domain=d",
                       "www.example.com httponly=h",
                       "www.example.com a=1",
                       "www.example.com zh=\xE4\xB8\xAD\xE6\x96\x87",
                   }));
}

}  // namespace
}  // namespace quorrin::platform

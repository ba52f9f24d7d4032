// The HTTP contract suite against the libcurl request object, and the
// server it talks to when the binary runs outside the test harness.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

#include "contract/http_contract.h"
#include "linux/http_test_server_linux.h"

extern char** environ;

namespace quorrin::testing {
namespace {

// Owns a posix_spawn_file_actions_t.
class SpawnFileActions {
 public:
  SpawnFileActions() : error_(posix_spawn_file_actions_init(&actions_)) {}
  ~SpawnFileActions() {
    if (error_ == 0) (void)posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnFileActions(const SpawnFileActions&) = delete;
  SpawnFileActions& operator=(const SpawnFileActions&) = delete;

  bool ok() const { return error_ == 0; }
  int error() const { return error_; }
  const posix_spawn_file_actions_t* get() const { return &actions_; }

  // Standard output and error to `path`, standard input from /dev/null;
  // returns 0 or the error.
  int RedirectOutput(const std::string& path) {
    int error = posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null",
                                                 O_RDONLY, 0);
    if (error == 0) {
      error = posix_spawn_file_actions_addopen(
          &actions_, 1, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    if (error == 0) error = posix_spawn_file_actions_adddup2(&actions_, 1, 2);
    return error;
  }

 private:
  posix_spawn_file_actions_t actions_;
  int error_;
};

// A server process of this test binary's own: started with posix_spawnp,
// stopped by its process id, its state folder removed.
class OwnHttpTestServer {
 public:
  OwnHttpTestServer() { Start(); }
  ~OwnHttpTestServer() {
    if (pid_ > 0) {
      // Failures are ignored on purpose: the process may already be gone.
      (void)kill(pid_, SIGTERM);
      int status = 0;
      (void)waitpid(pid_, &status, 0);
    }
    if (!stateDir_.empty()) {
      std::error_code ignored;  // A leftover folder in /tmp harms nobody.
      std::filesystem::remove_all(stateDir_, ignored);
    }
  }
  OwnHttpTestServer(const OwnHttpTestServer&) = delete;
  OwnHttpTestServer& operator=(const OwnHttpTestServer&) = delete;

  const HttpTestEnvironment& environment() const { return environment_; }

 private:
  void Start() {
    char folder[] = "/tmp/quorrin-http-test-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
      environment_.problem = std::string("mkdtemp: ") + std::strerror(errno);
      return;
    }
    stateDir_ = folder;
    std::string script = QUORRIN_HTTP_TEST_SERVER_SCRIPT;
    std::string log = stateDir_ + "/server.log";
    char* argv[] = {const_cast<char*>("python3"),
                    script.data(),
                    const_cast<char*>("serve"),
                    const_cast<char*>("--state-dir"),
                    stateDir_.data(),
                    const_cast<char*>("--exit-with-parent"),
                    nullptr};
    // The server writes to its own log: on this binary's standard output it
    // would hold open the pipe of whoever reads the test's output.
    SpawnFileActions actions;
    int error = actions.ok() ? actions.RedirectOutput(log) : actions.error();
    if (error == 0) {
      error =
          posix_spawnp(&pid_, "python3", actions.get(), nullptr, argv, environ);
    }
    if (error != 0) {
      pid_ = 0;
      environment_.problem =
          std::string("cannot start python3: ") + std::strerror(error);
      return;
    }
    std::string endpoints = stateDir_ + "/endpoints.txt";
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!std::filesystem::exists(endpoints)) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = 0;
        environment_.problem = "the test server ended at its start";
        return;
      }
      if (std::chrono::steady_clock::now() > deadline) {
        environment_.problem = "the test server did not start in 30 s";
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    environment_ = ReadHttpTestEndpoints(endpoints);
  }

  pid_t pid_ = 0;
  std::string stateDir_;
  HttpTestEnvironment environment_;
};

}  // namespace

HttpTestEnvironment LinuxHttpTestEnvironment() {
  HttpTestEnvironment fromHarness = HttpTestEnvironmentFromVariable();
  if (!fromHarness.http.empty()) return fromHarness;
  static OwnHttpTestServer server;
  return server.environment();
}

INSTANTIATE_TEST_SUITE_P(Linux, HttpContractTest,
                         ::testing::Values(HttpContractBackEnd{
                             "Curl", &LinuxHttpTestEnvironment}),
                         HttpContractBackEndName);

}  // namespace quorrin::testing

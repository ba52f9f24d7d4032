// The HTTP request object's contract, written once for every back end.
//
// A back end runs it with
//   INSTANTIATE_TEST_SUITE_P(Name, HttpContractTest,
//                            testing::Values(HttpContractBackEnd{...}));
// and a function that tells where the test server (tests/support/
// http_test_server.py) listens. The test harness starts that server outside
// the test binary and names its endpoints file in the environment variable
// QUORRIN_HTTP_TEST_ENDPOINTS, so a binary of another platform (a Windows one
// run under wine) reaches the same loopback server. The suite itself uses
// nothing but the platform interface and the standard library.

#ifndef QUORRIN_TESTS_CONTRACT_HTTP_CONTRACT_H_
#define QUORRIN_TESTS_CONTRACT_HTTP_CONTRACT_H_

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/text.h"

namespace quorrin::testing {

// Where the requests of the suite go. Every URL is a base without a final
// "/"; an empty `http` means the server could not be had.
struct HttpTestEnvironment {
  std::string http;            // the plain HTTP port
  std::string httpsUntrusted;  // TLS with a certificate nobody trusts
  std::string refused;         // a port that refuses connections
  std::string unresolvable;    // a host name no resolver knows
  std::string problem;         // why `http` is empty
};

inline constexpr char kHttpTestEndpointsVariable[] =
    "QUORRIN_HTTP_TEST_ENDPOINTS";

// Reads the server's endpoints file ("http=", "https=", "refused=" lines);
// `problem` says what went wrong when it cannot.
HttpTestEnvironment ReadHttpTestEndpoints(const std::string& path);

// The environment named by QUORRIN_HTTP_TEST_ENDPOINTS; `problem` is set
// when the variable is not.
HttpTestEnvironment HttpTestEnvironmentFromVariable();

struct HttpContractBackEnd {
  const char* name;  // an identifier: it becomes part of the test names
  HttpTestEnvironment (*environment)();
};

// Shows the back end by its name in test listings.
void PrintTo(const HttpContractBackEnd& backEnd, std::ostream* out);

class HttpContractTest : public ::testing::TestWithParam<HttpContractBackEnd> {
 protected:
  void SetUp() override;

  // Base URLs of the environment.
  const HttpTestEnvironment& server() const { return environment_; }

 private:
  HttpTestEnvironment environment_;
};

// Names the instantiated tests after the back end.
std::string HttpContractBackEndName(
    const ::testing::TestParamInfo<HttpContractBackEnd>& info);

// The request that /echo received, taken apart.
struct EchoedRequest {
  std::string requestLine;
  // Names as the client wrote them, values without surrounding whitespace,
  // in the order they arrived.
  std::vector<std::pair<std::string, std::string>> fields;
  std::string body;

  // The values of every field named `name`, ASCII case ignored.
  std::vector<std::string> Values(std::string_view name) const;
};

// Takes apart the body /echo answers with; an empty request line when it is
// no echo.
EchoedRequest ParseEcho(const Bytes& body);

// The lines of a header text, split at CR LF, empty pieces left out.
std::vector<std::string> HeaderLines(const Text& headers);

}  // namespace quorrin::testing

#endif  // QUORRIN_TESTS_CONTRACT_HTTP_CONTRACT_H_

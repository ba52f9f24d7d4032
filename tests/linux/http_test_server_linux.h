// Where the HTTP tests of the Linux back end find their test server.

#ifndef QUORRIN_TESTS_LINUX_HTTP_TEST_SERVER_LINUX_H_
#define QUORRIN_TESTS_LINUX_HTTP_TEST_SERVER_LINUX_H_

#include "contract/http_contract.h"

namespace quorrin::testing {

// The server the test harness started (QUORRIN_HTTP_TEST_ENDPOINTS), or,
// when the binary runs without the harness, one this process starts on first
// use and stops at its exit.
HttpTestEnvironment LinuxHttpTestEnvironment();

}  // namespace quorrin::testing

#endif  // QUORRIN_TESTS_LINUX_HTTP_TEST_SERVER_LINUX_H_

// A scripted, recording stand-in for the platform back end.
//
// Every operation of platform/platform.h (but the fatal error's box) is
// recorded, with its arguments as byte strings, in the order it is called,
// and answered from a script the test sets. Tests derive their fixture from
// ScriptedPlatformTest, which starts each test with an empty record and the
// default script.
//
// What it stands in for:
//  - HTTP request objects: creation succeeds or fails as scripted; the n-th
//    object created answers with the n-th scripted response (an empty one,
//    "no answer", when the script runs out), after its Send.
//  - The cookie store: a map from URL to cookie text, honouring the in/out
//    size contract of LookupStoreCookies; a write replaces or appends one
//    "name=value" item under its URL.
//  - Code pages: ASCII only. Each byte or unit below 0x80 crosses unchanged
//    (zero included), every other one becomes '?'. Both calls measure with a
//    null output, fail with 0 for empty input or too small a buffer.
//  - Windows: none; StartWindowSystem reports there is no window system.

#ifndef QUORRIN_TESTS_SUPPORT_SCRIPTED_PLATFORM_H_
#define QUORRIN_TESTS_SUPPORT_SCRIPTED_PLATFORM_H_

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace quorrin::scripted {

// One recorded call: the operation's name and its arguments, numbers in
// decimal, bools as "true"/"false", texts and byte runs as their bytes.
struct Call {
  std::string name;
  std::vector<std::string> args;

  friend bool operator==(const Call&, const Call&) = default;
  friend void PrintTo(const Call& call, std::ostream* out);
};

struct Response {
  std::string body;
  // The header text as the object hands it back: lines joined by CR LF.
  std::string headers;
};

struct Script {
  bool createSucceeds = true;
  bool enterApartmentSucceeds = true;
  std::deque<Response> responses;
  // URL as looked up ("http://" + host) -> the cookie text stored for it.
  std::map<std::string, std::string> cookieStore;
  bool cookieWritesSucceed = true;
};

// The script of the running test; set it before calling the code under test.
Script& CurrentScript();
// Everything called so far, in order.
const std::vector<Call>& RecordedCalls();
// Only the calls of one operation, in order.
std::vector<Call> CallsNamed(const std::string& name);
// Only the operations' names, in order: the shape of a call sequence.
std::vector<std::string> CallNames();
// The calls of the n-th web request (from 1): from its n-th EnterApartment up
// to the next one.
std::vector<Call> CallsOfRequest(int n);
// `calls` keeping only those of one operation.
std::vector<Call> OnlyNamed(const std::vector<Call>& calls,
                            const std::string& name);

// The default script and an empty record.
void ResetScriptedPlatform();

class ScriptedPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetScriptedPlatform(); }
  Script& script() { return CurrentScript(); }
};

}  // namespace quorrin::scripted

#endif  // QUORRIN_TESTS_SUPPORT_SCRIPTED_PLATFORM_H_

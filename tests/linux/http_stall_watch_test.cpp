#include "platform/linux/http_stall_watch.h"

#include <gtest/gtest.h>

#include "platform/linux/http_exchange_curl.h"

namespace quorrin::platform::http {
namespace {

using std::chrono::milliseconds;

class HttpStallWatchTest : public ::testing::Test {
 protected:
  StallWatch::Clock::time_point At(int ms) const {
    return start_ + milliseconds(ms);
  }
  StallWatch::Clock::time_point start_ = StallWatch::Clock::now();
};

TEST_F(HttpStallWatchTest, EachPhaseHasItsOwnLimit) {
  StallWatch watch(300, 1000);
  watch.RequestStarting(At(0));
  EXPECT_FALSE(watch.Stalled(At(300), true));
  EXPECT_TRUE(watch.Stalled(At(301), true));
  EXPECT_FALSE(watch.Stalled(At(301), false));
  EXPECT_TRUE(watch.Stalled(At(1001), false));
}

TEST_F(HttpStallWatchTest, MovingBytesRestartsTheClock) {
  StallWatch watch(1000, 1000);
  watch.RequestStarting(At(0));
  // A slow body that keeps coming is never cut off, however long it takes.
  for (int ms = 900; ms <= 9000; ms += 900) {
    watch.Moved(At(ms));
    EXPECT_FALSE(watch.Stalled(At(ms + 1000), false)) << ms;
  }
  EXPECT_TRUE(watch.Stalled(At(10001), false));
}

TEST_F(HttpStallWatchTest, RestsWhileConnectingAndWithoutLimit) {
  StallWatch watch(1000, 1000);
  // Before the first request and during a redirect's new connection, the
  // connect limit governs.
  EXPECT_FALSE(watch.Stalled(At(5000), false));
  watch.RequestStarting(At(0));
  watch.Connecting();
  EXPECT_FALSE(watch.Stalled(At(5000), false));

  StallWatch unlimited(0, 0);
  unlimited.RequestStarting(At(0));
  EXPECT_FALSE(unlimited.Stalled(At(100000000), true));
  EXPECT_FALSE(unlimited.Stalled(At(100000000), false));
}

TEST(HttpConnectLimitTest, ResolveAndConnectShareOneLimit) {
  struct Case {
    HttpTimeouts timeouts;
    long limit;
  };
  const long none = 2147483647;
  const Case cases[] = {
      {{1000, 2000, 0, 0}, 3000},
      // Without SetTimeouts: resolving has no limit of its own.
      {HttpTimeouts{}, 60000},
      {{0, 0, 5, 5}, none},
      {{5000, 0, 5, 5}, none},
      {{2147483647, 2147483647, 0, 0}, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limit);
    EXPECT_EQ(ConnectLimitMs(c.timeouts), c.limit);
  }
}

}  // namespace
}  // namespace quorrin::platform::http

#include "platform/linux/http_stall_watch.h"

#include <algorithm>

namespace quorrin::platform::http {

StallWatch::StallWatch(std::int32_t sendMs, std::int32_t receiveMs)
    : sendLimit_(std::max(sendMs, 0)), receiveLimit_(std::max(receiveMs, 0)) {}

void StallWatch::Connecting() { running_ = false; }

void StallWatch::RequestStarting(Clock::time_point now) {
  running_ = true;
  lastMove_ = now;
}

void StallWatch::Moved(Clock::time_point now) { lastMove_ = now; }

bool StallWatch::Stalled(Clock::time_point now, bool sending) const {
  if (!running_) return false;
  std::chrono::milliseconds limit = sending ? sendLimit_ : receiveLimit_;
  if (limit.count() == 0) return false;
  return now - lastMove_ > limit;
}

}  // namespace quorrin::platform::http

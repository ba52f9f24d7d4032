// The send and receive time-outs of one exchange: each ends the exchange
// when no byte has moved for its number of milliseconds, not when the whole
// exchange takes long (a large body that keeps arriving is never cut off).
//
// Connecting is not watched here: libcurl's connect time-out covers name
// resolution, the TCP connection and the TLS handshake. Time is passed in,
// so the rules can be checked without waiting.

#ifndef QUORRIN_PLATFORM_LINUX_HTTP_STALL_WATCH_H_
#define QUORRIN_PLATFORM_LINUX_HTTP_STALL_WATCH_H_

#include <chrono>
#include <cstdint>

namespace quorrin::platform::http {

class StallWatch {
 public:
  using Clock = std::chrono::steady_clock;

  // Limits in milliseconds; 0 (or less) means no limit for that phase. The
  // watch starts out connecting.
  StallWatch(std::int32_t sendMs, std::int32_t receiveMs);

  // A connection is being looked up or made (the first one, or a new one
  // for the next hop of a redirect): the watch rests until RequestStarting.
  void Connecting();
  // The connection is ready and a request is about to go out.
  void RequestStarting(Clock::time_point now);
  // Some bytes moved, either way.
  void Moved(Clock::time_point now);

  // True when a request is under way and nothing has moved for longer than
  // the limit of its phase: sending while the body is not all out
  // (`sending`), receiving after that.
  bool Stalled(Clock::time_point now, bool sending) const;

 private:
  std::chrono::milliseconds sendLimit_;
  std::chrono::milliseconds receiveLimit_;
  bool running_ = false;
  Clock::time_point lastMove_;
};

}  // namespace quorrin::platform::http

#endif  // QUORRIN_PLATFORM_LINUX_HTTP_STALL_WATCH_H_

#pragma once

#include <chrono>

namespace zq {

// When the window tries to connect to a console it does not hold. It looks
// for one at every tick (a look opens nothing and prints nothing); once a
// console is seen it connects at once. A connect that fails (no answer, no
// permission) is tried again after 2 s, then after twice as long each time
// up to 32 s, for as long as the console stays in sight; a console that
// leaves sight and comes back is tried at once again.
class ReconnectSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  static constexpr std::chrono::seconds kFirstRetry{2};
  static constexpr std::chrono::seconds kLongestRetry{32};

  // Whether to connect now, given whether a console is in sight.
  bool ShouldConnect(Clock::time_point now, bool seen);
  // The connect just tried did not succeed.
  void Failed(Clock::time_point now);
  // Connected, or the console was lost: the next sight is tried at once.
  void Reset();

 private:
  bool waiting_ = false;
  Clock::time_point retryAt_{};
  Clock::duration wait_ = kFirstRetry;
};

}  // namespace zq

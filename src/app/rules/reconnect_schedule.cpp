#include "app/rules/reconnect_schedule.h"

#include <algorithm>

namespace zq {

bool ReconnectSchedule::ShouldConnect(Clock::time_point now, bool seen) {
  if (!seen) {
    Reset();
    return false;
  }
  return !waiting_ || now >= retryAt_;
}

void ReconnectSchedule::Failed(Clock::time_point now) {
  if (waiting_) {
    wait_ = std::min<Clock::duration>(wait_ * 2, kLongestRetry);
  }
  waiting_ = true;
  retryAt_ = now + wait_;
}

void ReconnectSchedule::Reset() {
  waiting_ = false;
  wait_ = kFirstRetry;
}

}  // namespace zq

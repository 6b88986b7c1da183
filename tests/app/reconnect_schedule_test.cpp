#include <gtest/gtest.h>

#include "app/rules/reconnect_schedule.h"

namespace zq {
namespace {

using std::chrono::seconds;
using Clock = ReconnectSchedule::Clock;

TEST(ReconnectSchedule, ASightIsTriedAtOnceAndAFailureWaitsLongerEachTimeUpTo32s) {
  ReconnectSchedule schedule;
  const Clock::time_point t0{};
  EXPECT_FALSE(schedule.ShouldConnect(t0, false));
  ASSERT_TRUE(schedule.ShouldConnect(t0, true));
  Clock::time_point at = t0;
  for (int wait : {2, 4, 8, 16, 32, 32}) {
    schedule.Failed(at);
    EXPECT_FALSE(schedule.ShouldConnect(at + seconds(wait) - seconds(1), true)) << wait;
    at += seconds(wait);
    EXPECT_TRUE(schedule.ShouldConnect(at, true)) << wait;
  }
}

TEST(ReconnectSchedule, AConsoleOutOfSightIsTriedAtOnceWhenItIsBack) {
  ReconnectSchedule schedule;
  const Clock::time_point t0{};
  schedule.Failed(t0);
  schedule.Failed(t0);
  EXPECT_FALSE(schedule.ShouldConnect(t0 + seconds(1), false));
  EXPECT_TRUE(schedule.ShouldConnect(t0 + seconds(1), true));
  schedule.Failed(t0 + seconds(1));  // the wait starts again at 2 s
  EXPECT_TRUE(schedule.ShouldConnect(t0 + seconds(3), true));
}

}  // namespace
}  // namespace zq

// The waiting loop under a scripted clock and pump, and the real clock's basic promises.
#include "platform/events.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace {

// A clock moved only by the pump: every turn of the event loop advances it by `step`.
// The since-midnight reading wraps at 86400 s; the monotonic one does not.
struct FakeTime {
  double monotonic = 1000.0;
  double sinceMidnight = 0.0;
  double step = 0.25;
  int pumpCalls = 0;
};

class FakeClock final : public platform::Clock {
 public:
  explicit FakeClock(FakeTime* t) : t_(t) {}
  double monotonicSeconds() override { return t_->monotonic; }
  double secondsSinceMidnight() override { return t_->sinceMidnight; }

 private:
  FakeTime* t_;
};

class FakePump final : public platform::EventPump {
 public:
  explicit FakePump(FakeTime* t) : t_(t) {}
  void processEvents() override {
    ++t_->pumpCalls;
    t_->monotonic += t_->step;
    t_->sinceMidnight = std::fmod(t_->sinceMidnight + t_->step, 86400.0);
  }

 private:
  FakeTime* t_;
};

class PauseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setClock(std::make_unique<FakeClock>(&time_));
    platform::setEventPump(std::make_unique<FakePump>(&time_));
  }
  void TearDown() override {
    platform::setClock(nullptr);
    platform::setEventPump(nullptr);
  }
  FakeTime time_;
};

TEST_F(PauseTest, EndsAtTheDeadline) {
  time_.sinceMidnight = 3600.0;
  platform::Pause(2.0);
  // 2 s in steps of 0.25 s: 8 turns, all exact in binary.
  EXPECT_EQ(time_.pumpCalls, 8);
  EXPECT_EQ(platform::MonotonicSeconds(), 1002.0);
  EXPECT_EQ(platform::Timer(), 3602.0);
}

TEST_F(PauseTest, CrossesMidnight) {
  time_.sinceMidnight = 86399.5;
  platform::Pause(2.0);
  EXPECT_EQ(time_.pumpCalls, 8);
  EXPECT_EQ(platform::Timer(), 1.5);               // wrapped
  EXPECT_EQ(platform::MonotonicSeconds(), 1002.0); // did not
}

TEST_F(PauseTest, ZeroNegativeAndNaNReturnAtOnce) {
  platform::Pause(0.0);
  platform::Pause(-1.0);
  platform::Pause(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(time_.pumpCalls, 0);
  EXPECT_EQ(platform::MonotonicSeconds(), 1000.0);
}

TEST_F(PauseTest, UntilEndsEarly) {
  platform::Pause(10.0, [this] { return time_.pumpCalls >= 3; });
  EXPECT_EQ(time_.pumpCalls, 3);
}

TEST_F(PauseTest, AStoppedClockCannotHang) {
  time_.step = 0.0;
  platform::Pause(1.0);
  EXPECT_GT(time_.pumpCalls, 0);
  EXPECT_LE(time_.pumpCalls, 1000000);
}

TEST_F(PauseTest, InfiniteWaitIsBounded) {
  time_.step = 3600.0;
  platform::Pause(std::numeric_limits<double>::infinity());
  EXPECT_EQ(time_.pumpCalls, 24);  // cut to one day
}

TEST_F(PauseTest, DoEventsRunsTheInstalledPump) {
  platform::DoEvents();
  platform::DoEvents();
  EXPECT_EQ(time_.pumpCalls, 2);
}

TEST(RealClock, RestoredAndMonotonic) {
  platform::setClock(nullptr);
  platform::setEventPump(nullptr);
  const double steady = std::chrono::duration<double>(
      std::chrono::steady_clock::now().time_since_epoch()).count();
  const double a = platform::MonotonicSeconds();
  EXPECT_NEAR(a, steady, 1.0);
  const double t = platform::Timer();
  EXPECT_GE(t, 0.0);
  EXPECT_LT(t, 86400.0);
  // The wait lasts at least as long as asked, with the real pump and no events.
  platform::Pause(0.02);
  EXPECT_GE(platform::MonotonicSeconds() - a, 0.02);
  platform::DoEvents();
}

}  // namespace

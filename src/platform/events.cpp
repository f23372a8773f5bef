// The real clock (steady clock for waits, local time for display) and event pump, the
// replacements tests install, and the waiting loop built on them.
#include "platform/events.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <thread>

namespace platform {

void Clock::localDate(int* year, int* month, int* day) {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) local = std::tm{};
  *year = local.tm_year + 1900;
  *month = local.tm_mon + 1;
  *day = local.tm_mday;
}

namespace {

class RealClock final : public Clock {
 public:
  double monotonicSeconds() override {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(since).count();
  }

  double secondsSinceMidnight() override {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) return 0.0;
    const auto whole = std::chrono::system_clock::from_time_t(t);
    double fraction = std::chrono::duration<double>(now - whole).count();
    fraction = std::clamp(fraction, 0.0, 0.999999);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
  }
};

class RealEventPump final : public EventPump {
 public:
  void processEvents() override {
    if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
  }
};

RealClock realClock;
RealEventPump realPump;
std::unique_ptr<Clock> replacedClock;
std::unique_ptr<EventPump> replacedPump;

// Longest wait accepted, in seconds (one day): a larger or infinite wait is cut to it.
constexpr double kLongestPause = 86400.0;
// Turns of the waiting loop under a replaced clock before it gives up, so that a clock
// that never reaches the deadline cannot hang the program.
constexpr long kMaxFakeTurns = 1000000;
// Sleep per turn under the real clock, in seconds.
constexpr double kTurnSleep = 0.005;

}  // namespace

Clock& clock() { return replacedClock ? *replacedClock : realClock; }

EventPump& eventPump() { return replacedPump ? *replacedPump : realPump; }

void setClock(std::unique_ptr<Clock> c) { replacedClock = std::move(c); }

void setEventPump(std::unique_ptr<EventPump> p) { replacedPump = std::move(p); }

void DoEvents() { eventPump().processEvents(); }

double Timer() { return clock().secondsSinceMidnight(); }

double MonotonicSeconds() { return clock().monotonicSeconds(); }

void Pause(double seconds, const std::function<bool()>& until) {
  if (!(seconds > 0.0)) return;  // zero, negative and NaN
  seconds = std::min(seconds, kLongestPause);
  const Clock* const startClock = &clock();
  const double deadline = MonotonicSeconds() + seconds;
  long fakeTurns = 0;
  while (true) {
    DoEvents();
    if (until && until()) return;
    // A handler that replaced the clock makes the deadline meaningless: the wait ends.
    if (&clock() != startClock) return;
    const double now = MonotonicSeconds();
    if (now >= deadline) return;
    if (&clock() == &realClock) {
      const double left = std::isfinite(now) ? deadline - now : kTurnSleep;
      std::this_thread::sleep_for(std::chrono::duration<double>(std::min(left, kTurnSleep)));
    } else if (++fakeTurns >= kMaxFakeTurns) {
      return;
    }
  }
}

}  // namespace platform

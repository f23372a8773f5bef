#pragma once
// Time and the event pump. Waits are loops that let pending events run and read a
// monotonic clock; both the clock and the pump can be replaced by tests.

#include <functional>
#include <memory>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds on a clock that never goes back and does not wrap at midnight.
  virtual double monotonicSeconds() = 0;
  // Seconds since local midnight (display only).
  virtual double secondsSinceMidnight() = 0;
  // Today's local date (tests pin one); the system's by default.
  virtual void localDate(int* year, int* month, int* day);
};

class EventPump {
 public:
  virtual ~EventPump() = default;
  // Runs the pending events once; may be called from inside an event handler.
  virtual void processEvents() = 0;
};

Clock& clock();
EventPump& eventPump();
// Replace the clock or the pump; nullptr restores the real one.
void setClock(std::unique_ptr<Clock> c);
void setEventPump(std::unique_ptr<EventPump> p);

// Processes pending window events (re-entrant).
void DoEvents();
// Seconds since midnight, for display only.
double Timer();
// Monotonic seconds.
double MonotonicSeconds();
// Waits `seconds` (<= 0 returns at once) while events keep running; ends early when
// `until` (if given) returns true. Bounded by the deadline whatever the pump does.
void Pause(double seconds, const std::function<bool()>& until = {});

}  // namespace platform

#pragma once

#include <cstdint>

namespace warpix {

class Clock;
class EventSource;

// Millisecond interval timer. With a performance counter a waiting expiry
// sleeps out the rest of the interval and keeps the rhythm of periodic use;
// without one it compares process-clock ticks and never sleeps.
class teTimer {
 public:
  explicit teTimer(Clock& clock, std::int64_t intervalMs = 0);
  virtual ~teTimer() = default;

  void setInterval(std::int64_t ms);
  std::int64_t interval() const { return interval_; }
  void restart();
  // With `wakeOn`, a waiting expiry waits for input instead of sleeping and
  // answers no when input cut the wait short, so a key ends a long pause
  // at once; the caller sees the event and returns.
  bool expired(bool wait, EventSource* wakeOn = nullptr);
  std::int64_t elapsed();
  std::int64_t lap();

 private:
  Clock* clock_;
  bool hasCounter_;
  std::int64_t countsPerMs_ = 0;
  std::int64_t start_ = 0;
  std::int64_t interval_ = 0;
  std::uint32_t interval32_ = 0;
  std::uint32_t startClock_ = 0;
};

}  // namespace warpix

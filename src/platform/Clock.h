#pragma once

#include <cstdint>

namespace warpix {

class EventSource;

// Every clock read and every sleep of the program goes through a Clock, so
// that headless runs can use virtual time and stay deterministic.
class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds of the process clock (wraps like a 32-bit tick count).
  virtual std::uint32_t processMs() = 0;
  // High-resolution counter; counterFrequency() is counts per second, 0 when
  // there is no such counter.
  virtual std::int64_t counter() = 0;
  virtual std::int64_t counterFrequency() = 0;
  // Calendar time in whole seconds since the epoch.
  virtual std::int64_t wallSeconds() = 0;
  virtual void sleepMs(std::uint32_t ms) = 0;
  // Waits until an event is waiting in `events` or `ms` have passed; true
  // when an event is waiting. Input ends the wait at once.
  virtual bool waitForEvent(EventSource& events, std::uint32_t ms) = 0;
};

}  // namespace warpix

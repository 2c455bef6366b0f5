#pragma once

#include <cstdint>

#include "platform/Clock.h"

namespace warpix {

// Time that moves only when the program sleeps or waits, plus one
// millisecond for every read that follows another read with no sleep in
// between, so that busy waits still end. One seed then gives the same run
// on every machine, as fast as the CPU allows.
class VirtualClock final : public Clock {
 public:
  // A fixed calendar start keeps date and time texts reproducible.
  static constexpr std::int64_t kDefaultEpoch = 1700000000;  // 2023-11-14 22:13:20 UTC

  explicit VirtualClock(std::int64_t epochSeconds = kDefaultEpoch) : epoch_(epochSeconds) {}

  std::uint32_t processMs() override;
  std::int64_t counter() override;
  std::int64_t counterFrequency() override { return hasCounter_ ? 1000 : 0; }
  std::int64_t wallSeconds() override;
  void sleepMs(std::uint32_t ms) override;
  bool waitForEvent(EventSource& events, std::uint32_t ms) override;

  // Moves time forward from outside (tests).
  void advance(std::uint64_t ms) { now_ += ms; }
  // Reads that do not advance time, for tests and logs.
  std::uint64_t peekMs() const { return now_; }
  void setPerformanceCounter(bool available) { hasCounter_ = available; }

 private:
  std::uint64_t read();

  std::int64_t epoch_;
  std::uint64_t now_ = 0;
  bool readSinceSleep_ = false;
  bool hasCounter_ = true;
};

}  // namespace warpix

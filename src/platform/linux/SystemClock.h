#pragma once

#include "platform/Clock.h"

namespace warpix {

// Real time: steady time for milliseconds and the counter, wall time for
// calendar seconds.
class SystemClock final : public Clock {
 public:
  std::uint32_t processMs() override;
  std::int64_t counter() override;
  std::int64_t counterFrequency() override;
  std::int64_t wallSeconds() override;
  void sleepMs(std::uint32_t ms) override;
  bool waitForEvent(EventSource& events, std::uint32_t ms) override;
};

}  // namespace warpix

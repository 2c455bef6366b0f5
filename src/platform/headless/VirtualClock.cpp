#include "platform/headless/VirtualClock.h"

#include "platform/EventSource.h"

namespace warpix {

std::uint64_t VirtualClock::read() {
  if (readSinceSleep_) ++now_;
  readSinceSleep_ = true;
  return now_;
}

std::uint32_t VirtualClock::processMs() { return static_cast<std::uint32_t>(read()); }

std::int64_t VirtualClock::counter() { return hasCounter_ ? static_cast<std::int64_t>(read()) : 0; }

std::int64_t VirtualClock::wallSeconds() { return epoch_ + static_cast<std::int64_t>(read() / 1000); }

void VirtualClock::sleepMs(std::uint32_t ms) {
  now_ += ms;
  readSinceSleep_ = false;
}

bool VirtualClock::waitForEvent(EventSource& events, std::uint32_t ms) {
  if (events.eventWaiting()) return true;
  sleepMs(ms);
  return events.eventWaiting();
}

}  // namespace warpix

#include "platform/linux/SystemClock.h"

#include <chrono>
#include <thread>

#include "platform/EventSource.h"

namespace warpix {

namespace {
using Steady = std::chrono::steady_clock;
const Steady::time_point kProcessStart = Steady::now();
}  // namespace

std::uint32_t SystemClock::processMs() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - kProcessStart);
  return static_cast<std::uint32_t>(ms.count());
}

std::int64_t SystemClock::counter() {
  return std::chrono::duration_cast<std::chrono::microseconds>(Steady::now().time_since_epoch()).count();
}

std::int64_t SystemClock::counterFrequency() { return 1000000; }

std::int64_t SystemClock::wallSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

void SystemClock::sleepMs(std::uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool SystemClock::waitForEvent(EventSource& events, std::uint32_t ms) { return events.waitForEvent(ms); }

}  // namespace warpix

#include "scene/teTimer.h"

#include "platform/Clock.h"

namespace warpix {

teTimer::teTimer(Clock& clock, std::int64_t intervalMs) : clock_(&clock) {
  const std::int64_t frequency = clock.counterFrequency();
  // A counter slower than 1 kHz cannot time milliseconds: treat it as absent.
  hasCounter_ = frequency >= 1000;
  if (hasCounter_) {
    countsPerMs_ = frequency / 1000;
    start_ = clock.counter();
  } else {
    startClock_ = clock.processMs();
  }
  interval_ = intervalMs;
  interval32_ = static_cast<std::uint32_t>(intervalMs);
}

void teTimer::setInterval(std::int64_t ms) {
  interval_ = ms;
  interval32_ = static_cast<std::uint32_t>(ms);
  restart();
}

void teTimer::restart() {
  if (hasCounter_) {
    start_ = clock_->counter();
  } else {
    startClock_ = clock_->processMs();
  }
}

bool teTimer::expired(bool wait, EventSource* wakeOn) {
  if (!hasCounter_) {
    const std::uint32_t now = clock_->processMs();
    if (now - startClock_ > interval32_) {
      startClock_ = now;
      return true;
    }
    return false;
  }
  const std::int64_t now = clock_->counter();
  const std::int64_t e = (now - start_) / countsPerMs_;
  if (e >= interval_) {
    start_ = now;
    return true;
  }
  if (wait && interval_ - e < 1000) {
    const auto rest = static_cast<std::uint32_t>(interval_ - e);
    if (wakeOn != nullptr) {
      if (clock_->waitForEvent(*wakeOn, rest)) return false;
    } else {
      clock_->sleepMs(rest);
    }
    start_ += interval_ * countsPerMs_;
    return true;
  }
  return false;
}

std::int64_t teTimer::elapsed() {
  if (!hasCounter_) return static_cast<std::uint32_t>(clock_->processMs() - startClock_);
  return (clock_->counter() - start_) / countsPerMs_;
}

std::int64_t teTimer::lap() {
  if (!hasCounter_) {
    const std::uint32_t now = clock_->processMs();
    const std::int64_t t = static_cast<std::uint32_t>(now - startClock_);
    startClock_ = now;
    return t;
  }
  const std::int64_t now = clock_->counter();
  const std::int64_t t = (now - start_) / countsPerMs_;
  start_ = now;
  return t;
}

}  // namespace warpix

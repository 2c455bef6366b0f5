#pragma once

#include <cstdint>

namespace warpix {

// The scene's view of its window's event queue: "is a message waiting?".
class EventSource {
 public:
  virtual ~EventSource() = default;
  // True when an event waits; the event stays queued.
  virtual bool eventWaiting() = 0;
  // Blocks for at most `ms` until an event waits; true when one does.
  virtual bool waitForEvent(std::uint32_t ms) = 0;
};

// An event queue that is always empty, for runs without a window.
class NoEvents final : public EventSource {
 public:
  bool eventWaiting() override { return false; }
  bool waitForEvent(std::uint32_t) override { return false; }
};

}  // namespace warpix

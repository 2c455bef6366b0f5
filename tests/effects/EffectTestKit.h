#pragma once

#include "platform/Surface.h"
#include "platform/headless/HeadlessScreen.h"
#include "scene/Operation.h"

namespace warpix::testing {

// A picture with detail in every channel and no two neighbours alike, so a
// pixel taken from the wrong place shows.
inline void paintPattern(Surface& s) {
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x) s.setPixel(x, y, makePixel(x * 7 + y, y * 5, (x * y) & 0xFF));
}

// Drives `op` to its end with a key arriving in the middle of its work,
// `checks` looks at the queue after each resumption: a step that finds the
// key waiting does nothing, then the key is read and the work goes on.
// Returns how often the work was cut short; gives up after `limit`.
inline int runInterrupted(Operation& op, HeadlessScreen& screen, int checks, int limit = 100000) {
  int interruptions = 0;
  while (!op.isFinished() && interruptions < limit) {
    screen.pushEventAfterChecks(checks, {ScreenBackend::InputEvent::Kind::Key});
    op.run();
    if (screen.eventWaiting()) {
      op.run();
      screen.nextEvent();
      ++interruptions;
    }
  }
  return interruptions;
}

// Whether two surfaces hold the same pixels.
inline bool samePixels(const Surface& a, const Surface& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

}  // namespace warpix::testing

#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/Surface.h"

namespace warpix {

// When a screen shows its changes and looks at its event queue, for the
// screen backends, which differ only in how they copy rows and wait:
// changes are shown at most once per display refresh, only the box around
// what changed (the whole window after it lost its contents), and a queue
// found empty is not looked at again within the same millisecond, since
// some operations ask after every cell of their work. Times are the
// backend's milliseconds.
class RefreshPacer {
 public:
  static constexpr std::uint32_t kDefaultFrameMs = 16;

  void setFrameMs(std::uint32_t ms) { frameMs_ = ms == 0 ? 1 : ms; }
  std::uint32_t frameMs() const { return frameMs_; }

  // Collects what changed on the surface; true when something is to be
  // shown and a refresh has passed since the last showing.
  bool due(Surface& surface, std::uint64_t now) {
    held_ = merged(held_, surface.takeDirty());
    if (!pending()) return false;
    return now - lastShownMs_ >= frameMs_;
  }
  // The part to show now, clipped to width x height, and forgets it.
  Rect take(int width, int height, std::uint64_t now) {
    lastShownMs_ = now;
    Rect shown = exposed_ ? Rect{0, 0, width, height} : held_;
    shown.right = std::min(shown.right, width);
    shown.bottom = std::min(shown.bottom, height);
    drop();
    return shown.empty() ? Rect{} : shown;
  }
  bool wholeWindow() const { return exposed_; }
  void drop() {
    held_ = {};
    exposed_ = false;
  }
  // The window lost its contents (exposed, resized): show it all.
  void expose() {
    held_ = {};
    exposed_ = true;
  }

  // How long a wait that ends at `deadline` may sleep at most, in slices of
  // `longest`, so that held changes are shown when their refresh comes.
  std::uint64_t sleepMs(std::uint64_t now, std::uint64_t deadline, std::uint64_t longest) const {
    std::uint64_t slice = std::min(deadline - now, longest);
    if (pending()) {
      const std::uint64_t next = lastShownMs_ + frameMs_;
      slice = std::min(slice, next > now ? next - now : std::uint64_t{1});
    }
    return slice;
  }

  // Whether the queue was found empty in this very millisecond.
  bool emptyAt(std::uint64_t now) const { return now == emptyLookMs_; }
  void foundEmpty(std::uint64_t now) { emptyLookMs_ = now; }
  // The next look goes to the queue whatever the time.
  void forgetLook() { emptyLookMs_ = kNever; }

 private:
  static constexpr std::uint64_t kNever = UINT64_MAX;

  static Rect merged(const Rect& a, const Rect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
  }
  bool pending() const { return !held_.empty() || exposed_; }

  std::uint32_t frameMs_ = kDefaultFrameMs;
  std::uint64_t lastShownMs_ = 0;
  std::uint64_t emptyLookMs_ = kNever;
  Rect held_;  // the box around changes not yet shown
  bool exposed_ = false;
};

}  // namespace warpix

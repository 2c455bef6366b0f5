#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/DirtyRegion.h"
#include "platform/Surface.h"

namespace warpix {

// When a screen shows its changes and looks at its event queue, for the
// screen backends, which differ only in how they copy rows and wait:
// changes are shown at most once per display refresh, only the boxes that
// changed (the whole window after it lost its contents), and a queue
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
    held_.add(surface.takeDirty());
    if (!pending()) return false;
    return now - lastShownMs_ >= frameMs_;
  }
  // The part to show now, clipped to width x height, and forgets it.
  DirtyRegion take(int width, int height, std::uint64_t now) {
    lastShownMs_ = now;
    DirtyRegion shown;
    if (exposed_) shown.add({0, 0, width, height});
    else shown = held_;
    shown.clip(width, height);
    drop();
    return shown;
  }
  bool wholeWindow() const { return exposed_; }
  void drop() {
    held_.clear();
    exposed_ = false;
  }
  // The window lost its contents (exposed, resized): show it all.
  void expose() {
    held_.clear();
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

  bool pending() const { return !held_.empty() || exposed_; }

  std::uint32_t frameMs_ = kDefaultFrameMs;
  std::uint64_t lastShownMs_ = 0;
  std::uint64_t emptyLookMs_ = kNever;
  DirtyRegion held_;  // changes not yet shown
  bool exposed_ = false;
};

}  // namespace warpix

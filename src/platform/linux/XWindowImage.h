#pragma once

#include <cstdint>
#include <memory>

#include "platform/DirtyRegion.h"
#include "platform/Pixel.h"
#include "platform/Surface.h"

struct _XDisplay;
union _XEvent;

namespace warpix {

// The picture an X window is shown from: an image in memory shared with the
// server where it offers that, else one sent over the connection, and the
// requests that put parts of it on the window. Neither the display nor the
// window is ours; the image, its segment and the GC are, released in the
// reverse order of taking them.
//
// A shared segment is read by the server some time after a put is sent.
// Owners that see every event (the Xlib screen) ask for completions and wait
// for them before copying into it again; an owner whose toolkit takes the
// events (SDL) does not, and no owner does while it draws on the segment
// itself. Without them the server may pick up pixels drawn after the put,
// which the next put shows anyway. None waits for a round trip per picture.
class XWindowImage {
 public:
  XWindowImage(_XDisplay* display, unsigned long window, bool completions);
  ~XWindowImage();
  XWindowImage(const XWindowImage&) = delete;
  XWindowImage& operator=(const XWindowImage&) = delete;

  // Makes the image anew at width x height (the old one goes, so nothing
  // may point into it); false when none can be made for the window.
  bool make(int width, int height);
  bool made() const;
  int width() const;
  int height() const;
  bool sharedMemory() const;
  // The surface to draw `picture` on from now on: the image's own pixels,
  // the picture copied in, when they are laid out like a surface's (32-bit
  // 0x00RRGGBB words in the host's order, rows without padding, no alpha
  // bits to set, the picture's size), so that showing copies nothing;
  // otherwise `picture` itself, which copyBox converts when shown.
  // `borrowed` tells which.
  Surface drawingSurface(Surface picture, bool& borrowed);
  // Copies `box` of `from` into the image, clipped to both.
  void copyBox(const Surface& from, const Rect& box);
  // Sends the region's boxes of the image to the window and flushes.
  void put(const DirtyRegion& region);

  // With completions: takes `e` when it tells that the last put is done,
  // and whether it did; and whether a put may still be reading the segment
  // at `nowMs` (one whose completion never comes is given up after a while).
  bool takeCompletion(const _XEvent& e);
  bool busy(std::uint64_t nowMs) const;

 private:
  struct State;
  std::unique_ptr<State> s_;
};

}  // namespace warpix

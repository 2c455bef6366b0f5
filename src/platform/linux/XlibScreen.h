#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/RefreshPacer.h"
#include "platform/ScreenBackend.h"
#include "platform/linux/StopSignals.h"

union _XEvent;

namespace warpix {

// A window that another program made and lends us (XScreenSaver hands its
// hacks one), drawn with plain Xlib. The framebuffer is the program's own
// Surface; present() puts the rows that changed into the window, through
// shared memory when the server offers it, at most once per display
// refresh.
//
// The window is not ours: no display mode is touched, no input is grabbed
// or selected (keys and buttons belong to the owner), only its size
// changes, exposures and its end are watched. Once a stop signal arrives
// or the window is destroyed, no further request names the window.
//
// Xlib's headers define names (None, Status, Window) that clash with
// ordinary code, so they stay inside the .cpp.
class XlibScreen final : public ScreenBackend {
 public:
  // Opens the default display and adopts `window`; 0 means the display's
  // root window. nullptr with `error` set when the display or the window
  // is missing or its visual cannot be drawn.
  static std::unique_ptr<XlibScreen> open(unsigned long window, std::string& error);

  // Only open() makes one; the key keeps everyone else out.
  class Key {
    friend class XlibScreen;
    Key() = default;
  };
  explicit XlibScreen(Key);
  ~XlibScreen() override;
  XlibScreen(const XlibScreen&) = delete;
  XlibScreen& operator=(const XlibScreen&) = delete;

  Rect bounds() const override { return bounds_; }
  std::vector<Rect> monitors() const override { return {{0, 0, surface_.width(), surface_.height()}}; }
  int bitsPerPixel() const override { return bitsPerPixel_; }
  int verticalDpi() const override { return verticalDpi_; }
  Surface& surface() override { return surface_; }
  void present() override;
  // Taking a Resize off the queue gives the surface its new size; the loop
  // takes events only between paint steps, so no operation is drawing then.
  InputEvent nextEvent() override;
  bool eventWaiting() override;
  bool waitForEvent(std::uint32_t ms) override;

  // True when the pictures go through shared memory.
  bool sharedMemory() const;

 private:
  struct Connection;  // the Xlib side: display, window, GC, image

  bool adopt(unsigned long window, std::string& error);
  // Makes `picture` the surface, in the window's image itself when that can
  // be drawn into directly.
  void attachSurface(Surface picture);
  void resizeTo(int width, int height);
  // Sorts one X event: what the scene must see, or None after handling it here.
  InputEvent classify(const _XEvent& e);
  bool relevantEventAtHead();
  // No request may name the window any more.
  bool windowOff() const { return gone_ || StopSignals::raised(); }
  void flushIfDue();
  void flush();

  StopSignals signals_;
  std::unique_ptr<Connection> x_;
  Surface surface_{1, 1};
  bool borrowed_ = false;  // surface_ is the image the server is sent
  Rect bounds_;
  int bitsPerPixel_ = 24;
  int verticalDpi_ = kDefaultDpi;
  RefreshPacer pacer_;
  bool gone_ = false;       // the owner destroyed the window
};

}  // namespace warpix

#pragma once

#include <vector>

#include "platform/EventSource.h"
#include "platform/Surface.h"

namespace warpix {

// What the screen window needs from the display: a framebuffer, the monitor
// rectangles, the event queue, and a way to show the framebuffer. SDL2
// implements it for a window of our own, Xlib for a window another program
// lends us, and a memory screen for headless runs; the program chooses
// between them in one place.
class ScreenBackend : public EventSource {
 public:
  // Input as the exit rules see it.
  struct InputEvent {
    enum class Kind { None, Key, Button, Motion, FocusLost, Resize, Quit };
    Kind kind = Kind::None;
    int x = 0;  // motion: pointer position in client coordinates
    int y = 0;
    int width = 0;  // resize: new client size
    int height = 0;
  };

  // The virtual screen: the rectangle the window covers, in desktop
  // coordinates, and each monitor's rectangle relative to that window.
  virtual Rect bounds() const = 0;
  virtual std::vector<Rect> monitors() const = 0;
  virtual int bitsPerPixel() const = 0;
  // Palette entries the system keeps for itself on a palette display.
  virtual int reservedPaletteEntries() const { return 0; }
  virtual bool paletteDevice() const { return false; }
  // Vertical dots per logical inch, for font sizes in points; displays that
  // do not say, and memory screens, count as 96.
  static constexpr int kDefaultDpi = 96;
  virtual int verticalDpi() const { return kDefaultDpi; }

  virtual Surface& surface() = 0;
  // Shows what changed on the surface since the last call.
  virtual void present() = 0;
  // Takes the next event off the queue; Kind::None when the queue is empty.
  virtual InputEvent nextEvent() = 0;
  // The window leaves the screen at once, before the scene is taken down;
  // a window another program lends us stays where it is. Nothing is drawn
  // afterwards.
  virtual void hide() {}
  // The process ends next: what the display holds for us may be left to
  // the display server, which frees all of a client's resources when its
  // connection closes with the process.
  virtual void leaveToProcessEnd() {}
};

}  // namespace warpix

#pragma once

struct SDL_Window;

namespace warpix {

// The X11 side of drawing into a window that another program made. Kept
// apart from SdlScreen because Xlib's headers define names (None, Status,
// Window) that clash with ordinary code.
class ForeignWindow {
 public:
  // True when the X window exists on the default display. Asked on a
  // connection of its own, with X errors ignored: a wrong number must not
  // end the process, which is Xlib's default answer to it.
  static bool exists(unsigned long id);
  // The default display's root window, or 0 without a display.
  static unsigned long root();
  // Asks for the window's resizes and exposures on SDL's connection. Only
  // event kinds that any number of clients may share are selected: button
  // presses belong to the window's owner.
  static void watch(SDL_Window* window);
};

}  // namespace warpix

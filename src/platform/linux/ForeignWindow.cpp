#include "platform/linux/ForeignWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace warpix {

namespace {
int ignoreXError(Display*, XErrorEvent*) { return 0; }
}  // namespace

bool ForeignWindow::exists(unsigned long id) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XSync(display, False);
  const auto previous = XSetErrorHandler(ignoreXError);
  XWindowAttributes attributes{};
  const Status ok = XGetWindowAttributes(display, static_cast<Window>(id), &attributes);
  XSync(display, False);
  XSetErrorHandler(previous);
  XCloseDisplay(display);
  return ok != 0;
}

unsigned long ForeignWindow::root() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 0;
  const unsigned long id = DefaultRootWindow(display);
  XCloseDisplay(display);
  return id;
}

void ForeignWindow::watch(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  const Window xwindow = info.info.x11.window;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display, xwindow, &attributes) == 0) return;
  XSelectInput(display, xwindow, attributes.your_event_mask | StructureNotifyMask | ExposureMask);
  XFlush(display);
}

}  // namespace warpix

#include "platform/linux/XErrors.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <set>

namespace warpix {

namespace {

int onXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  // Reported once per error and request kind: a repeating error must not
  // flood the log of a saver that runs for hours.
  static std::set<int> reported;
  const int kind = error->error_code * 256 + error->request_code;
  if (!reported.insert(kind).second) return 0;
  char text[160] = {};
  XGetErrorText(display, error->error_code, text, sizeof text - 1);
  std::fprintf(stderr, "warpix: X error ignored: %s (request %d)\n", text, error->request_code);
  return 0;
}

}  // namespace

void XErrors::install() { XSetErrorHandler(onXError); }

}  // namespace warpix

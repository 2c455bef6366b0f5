#include "platform/linux/XErrors.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <iterator>
#include <set>

namespace warpix {

namespace {

unsigned long seen = 0;
int quietDepth = 0;

// The core protocol's error names, so that a report needs no call into Xlib.
const char* errorName(int code) {
  static constexpr const char* kNames[] = {
      "Success",  "BadRequest", "BadValue",    "BadWindow",   "BadPixmap", "BadAtom",
      "BadCursor", "BadFont",   "BadMatch",    "BadDrawable", "BadAccess", "BadAlloc",
      "BadColor",  "BadGC",     "BadIDChoice", "BadName",     "BadLength", "BadImplementation"};
  return code >= 0 && code < static_cast<int>(std::size(kNames)) ? kNames[code] : "extension error";
}

int onXError(Display*, XErrorEvent* error) {
  ++seen;
  if (quietDepth > 0) return 0;
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  // Reported once per error and request kind: a repeating error must not
  // flood the log of a saver that runs for hours.
  static std::set<int> reported;
  const int kind = error->error_code * 256 + error->request_code;
  if (!reported.insert(kind).second) return 0;
  std::fprintf(stderr, "warpix: X error ignored: %s (error %d, request %d.%d)\n", errorName(error->error_code),
               error->error_code, error->request_code, error->minor_code);
  return 0;
}

}  // namespace

void XErrors::install() { XSetErrorHandler(onXError); }

unsigned long XErrors::count() { return seen; }

XErrors::Quiet::Quiet() { ++quietDepth; }
XErrors::Quiet::~Quiet() { --quietDepth; }

}  // namespace warpix

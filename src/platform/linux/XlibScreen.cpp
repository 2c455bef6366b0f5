#include "platform/linux/XlibScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
// Xlib's None is a macro; here None always means the event kind.
#undef None

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "platform/linux/XErrors.h"
#include "platform/linux/XWindowImage.h"

namespace warpix {

namespace {

// Longest single wait: a stop signal that reaches another thread does not
// interrupt poll(), so the flag is looked at this often while idle.
constexpr std::uint64_t kSignalPollMs = 50;
constexpr float kMinPlausibleDpi = 30.0f;
constexpr float kMaxPlausibleDpi = 1000.0f;

std::uint64_t nowMs() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::string hex(unsigned long id) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", id);
  return text;
}

}  // namespace

// The X connection and what is shown through it, the image released before
// the connection closes; after a stop signal or the window's end nothing
// here names the window again.
struct XlibScreen::Connection {
  Display* display = nullptr;
  Window window = 0;
  std::unique_ptr<XWindowImage> image;

  ~Connection() {
    image.reset();
    if (display != nullptr) XCloseDisplay(display);
  }
};

XlibScreen::XlibScreen(Key) : x_(std::make_unique<Connection>()) {}

XlibScreen::~XlibScreen() = default;

bool XlibScreen::sharedMemory() const { return x_->image != nullptr && x_->image->sharedMemory(); }

std::unique_ptr<XlibScreen> XlibScreen::open(unsigned long window, std::string& error) {
  XErrors::install();
  auto screen = std::make_unique<XlibScreen>(Key{});
  screen->x_->display = XOpenDisplay(nullptr);
  if (screen->x_->display == nullptr) {
    error = "cannot open the X display";
    return nullptr;
  }
  if (window == 0) window = DefaultRootWindow(screen->x_->display);
  if (!screen->adopt(window, error)) return nullptr;
  return screen;
}

bool XlibScreen::adopt(unsigned long window, std::string& error) {
  Connection& x = *x_;
  XWindowAttributes attributes{};
  {
    // A wrong number is an answer here, not a reason to report.
    const XErrors::Quiet quiet;
    if (XGetWindowAttributes(x.display, window, &attributes) == 0) {
      error = "there is no X window " + hex(window);
      return false;
    }
  }
  if (attributes.visual->c_class != TrueColor && attributes.visual->c_class != DirectColor) {
    error = "X window " + hex(window) + " has a colour-mapped visual (depth " + std::to_string(attributes.depth) +
            "); only true-colour windows can be drawn";
    return false;
  }
  x.window = window;
  bitsPerPixel_ = attributes.depth;
  // Shareable events only: button and key presses stay the owner's.
  XSelectInput(x.display, window, StructureNotifyMask | ExposureMask);
  x.image = std::make_unique<XWindowImage>(x.display, window, true);
  int left = 0, top = 0;
  Window child = 0;
  XTranslateCoordinates(x.display, window, attributes.root, 0, 0, &left, &top, &child);
  const int width = std::max(attributes.width, 1), height = std::max(attributes.height, 1);
  bounds_ = {left, top, left + width, top + height};
  const Screen* s = attributes.screen;
  if (HeightMMOfScreen(s) > 0) {
    const float dpi = static_cast<float>(HeightOfScreen(s)) * 25.4f / static_cast<float>(HeightMMOfScreen(s));
    if (dpi >= kMinPlausibleDpi && dpi <= kMaxPlausibleDpi) verticalDpi_ = static_cast<int>(std::lround(dpi));
  }
  attachSurface(Surface(width, height));
  if (!x.image->made()) {
    error = "no picture of the window's format can be made";
    return false;
  }
  return true;
}

void XlibScreen::attachSurface(Surface picture) {
  Connection& x = *x_;
  // The image is made anew, so nothing may point into the old one.
  surface_ = Surface(1, 1);
  borrowed_ = false;
  if (!windowOff()) x.image->make(picture.width(), picture.height());
  surface_ = x.image->drawingSurface(std::move(picture), borrowed_);
  surface_.markAllDirty();
  pacer_.expose();
}

void XlibScreen::resizeTo(int width, int height) {
  Surface next(std::max(width, 1), std::max(height, 1));
  next.copyFrom(surface_);
  attachSurface(std::move(next));
  bounds_.right = bounds_.left + surface_.width();
  bounds_.bottom = bounds_.top + surface_.height();
}

ScreenBackend::InputEvent XlibScreen::classify(const XEvent& e) {
  InputEvent out;
  const Connection& x = *x_;
  if (e.type == ConfigureNotify && e.xconfigure.window == x.window) {
    if (e.xconfigure.width != surface_.width() || e.xconfigure.height != surface_.height()) {
      out.kind = InputEvent::Kind::Resize;
      out.width = e.xconfigure.width;
      out.height = e.xconfigure.height;
    }
  } else if (e.type == Expose) {
    pacer_.expose();
  } else if (e.type == DestroyNotify && e.xdestroywindow.window == x.window) {
    gone_ = true;
    out.kind = InputEvent::Kind::Quit;
  } else {
    x.image->takeCompletion(e);
  }
  return out;
}

bool XlibScreen::relevantEventAtHead() {
  Display* const d = x_->display;
  XEvent e;
  while (XEventsQueued(d, QueuedAfterReading) > 0) {
    XPeekEvent(d, &e);
    if (classify(e).kind != InputEvent::Kind::None) return true;
    XNextEvent(d, &e);
  }
  return false;
}

bool XlibScreen::eventWaiting() {
  if (StopSignals::raised() || gone_) return true;
  const std::uint64_t now = nowMs();
  if (pacer_.emptyAt(now)) return false;
  if (relevantEventAtHead()) return true;
  pacer_.foundEmpty(now);
  return false;
}

ScreenBackend::InputEvent XlibScreen::nextEvent() {
  if (StopSignals::raised() || gone_) return {InputEvent::Kind::Quit};
  Display* const d = x_->display;
  XEvent e;
  while (XEventsQueued(d, QueuedAfterReading) > 0) {
    XNextEvent(d, &e);
    const InputEvent event = classify(e);
    if (event.kind == InputEvent::Kind::Resize) resizeTo(event.width, event.height);
    if (event.kind != InputEvent::Kind::None) return event;
  }
  return {};
}

bool XlibScreen::waitForEvent(std::uint32_t ms) {
  const std::uint64_t deadline = nowMs() + ms;
  for (;;) {
    // Changes held back by the refresh limit are shown while we wait.
    flushIfDue();
    if (eventWaiting()) return true;
    const std::uint64_t now = nowMs();
    if (now >= deadline) return false;
    if (XEventsQueued(x_->display, QueuedAlready) > 0) {
      pacer_.forgetLook();
      continue;
    }
    // Nothing is queued inside Xlib, so the socket tells the rest; a signal
    // cuts the poll short. A sleep that ran out with the socket silent was
    // a look that found nothing.
    pollfd fd{ConnectionNumber(x_->display), POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(pacer_.sleepMs(now, deadline, kSignalPollMs))) == 0)
      pacer_.foundEmpty(nowMs());
    else
      pacer_.forgetLook();
  }
}

void XlibScreen::present() { flushIfDue(); }

void XlibScreen::flushIfDue() {
  if (pacer_.due(surface_, nowMs())) flush();
}

void XlibScreen::flush() {
  Connection& x = *x_;
  XWindowImage& image = *x.image;
  if (windowOff() || !image.made()) {
    pacer_.drop();
    return;
  }
  if (image.busy(nowMs())) {
    relevantEventAtHead();  // reads the completion if it has come
    if (image.busy(nowMs())) return;
  }
  const DirtyRegion shown = pacer_.take(std::min(surface_.width(), image.width()),
                                        std::min(surface_.height(), image.height()), nowMs());
  if (shown.empty()) return;
  if (!borrowed_)
    for (const Rect& box : shown) image.copyBox(surface_, box);
  image.put(shown);
}

}  // namespace warpix

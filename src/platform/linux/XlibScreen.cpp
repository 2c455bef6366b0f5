#include "platform/linux/XlibScreen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
// Xlib's None is a macro; here None always means the event kind.
#undef None

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "platform/linux/XErrors.h"

namespace warpix {

namespace {

// Longest single wait: a stop signal that reaches another thread does not
// interrupt poll(), so the flag is looked at this often while idle.
constexpr std::uint64_t kSignalPollMs = 50;
// A shared-memory put whose completion never comes (the server dropped it
// with an error) must not stop the pictures for good.
constexpr std::uint64_t kShmPatienceMs = 250;
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

// An 8-bit channel placed into the bits of `mask`, for visuals other than
// 8-8-8 (16-bit, 30-bit, or channels in another order).
unsigned long channelInto(std::uint32_t value, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const unsigned long scaled = bits <= 8 ? value >> (8 - bits) : static_cast<unsigned long>(value) << (bits - 8);
  return (scaled << shift) & mask;
}

}  // namespace

// Everything that holds an X resource, released in the reverse order of
// taking it; after a stop signal or the window's end nothing here names
// the window again.
struct XlibScreen::Connection {
  Display* display = nullptr;
  Window window = 0;
  GC gc = nullptr;
  Visual* visual = nullptr;
  int depth = 0;
  XImage* image = nullptr;
  std::vector<char> buffer;  // the image's pixels without shared memory
  bool useShm = false;
  XShmSegmentInfo shm{};
  bool shmAttached = false;
  int shmCompletion = -1;  // event type of a finished shared-memory put
  bool shmBusy = false;    // the server may still be reading the segment
  std::uint64_t shmSentMs = 0;
  bool direct = false;     // the image's pixels are 0x00RRGGBB words like ours
  std::uint32_t alpha = 0; // bits to set opaque in a 32-bit window

  ~Connection() {
    releaseImage();
    if (display == nullptr) return;
    if (gc != nullptr) XFreeGC(display, gc);
    XCloseDisplay(display);
  }

  void releaseImage() {
    if (image != nullptr) {
      image->data = nullptr;  // ours, not Xlib's to free
      XDestroyImage(image);
      image = nullptr;
    }
    if (shmAttached) XShmDetach(display, &shm);
    if (shm.shmaddr != nullptr) shmdt(shm.shmaddr);
    shm = {};
    shmAttached = false;
    shmBusy = false;
    buffer.clear();
  }

  bool attachShared(int width, int height) {
    image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shm,
                            static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (image == nullptr) return false;
    shm.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image->bytes_per_line) * height, IPC_CREAT | 0600);
    if (shm.shmid < 0) return false;
    void* const at = shmat(shm.shmid, nullptr, 0);
    // Marked for removal at once: it goes when the last user detaches, even
    // when this process is killed.
    shmctl(shm.shmid, IPC_RMID, nullptr);
    if (at == reinterpret_cast<void*>(-1)) return false;
    shm.shmaddr = image->data = static_cast<char*>(at);
    shm.readOnly = False;
    // A server on another machine refuses the segment; that is learnt only
    // from the error, so the attach is waited for.
    const XErrors::Quiet quiet;
    const unsigned long before = XErrors::count();
    XShmAttach(display, &shm);
    XSync(display, False);
    shmAttached = XErrors::count() == before;
    return shmAttached;
  }

  void makeImage(int width, int height) {
    releaseImage();
    if (useShm && !attachShared(width, height)) {
      releaseImage();
      useShm = false;
    }
    if (!useShm) {
      image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                           static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
      if (image == nullptr) return;
      buffer.resize(static_cast<std::size_t>(image->bytes_per_line) * height);
      image->data = buffer.data();
    }
    const bool hostOrder = (image->byte_order == LSBFirst) == (std::endian::native == std::endian::little);
    direct = image->bits_per_pixel == 32 && hostOrder && image->red_mask == 0xFF0000 &&
             image->green_mask == 0xFF00 && image->blue_mask == 0xFF;
    const unsigned long colour = image->red_mask | image->green_mask | image->blue_mask;
    alpha = depth == 32 ? static_cast<std::uint32_t>(~colour) : 0;
  }

  // Copies `box` (clipped to both) of the surface into the image.
  void copyBox(const Surface& from, const Rect& box) {
    const int right = std::min({box.right, from.width(), image->width});
    for (int y = box.top; y < box.bottom; ++y) {
      const Pixel* src = from.row(y);
      if (direct) {
        auto* dst = reinterpret_cast<std::uint32_t*>(image->data + static_cast<std::size_t>(y) * image->bytes_per_line);
        for (int x = box.left; x < right; ++x) dst[x] = (src[x] & 0xFFFFFFu) | alpha;
        continue;
      }
      for (int x = box.left; x < right; ++x) {
        const std::uint32_t p = src[x];
        XPutPixel(image, x, y,
                  channelInto((p >> 16) & 0xFF, image->red_mask) | channelInto((p >> 8) & 0xFF, image->green_mask) |
                      channelInto(p & 0xFF, image->blue_mask) | alpha);
      }
    }
  }

  void put(const Rect& box) {
    const auto w = static_cast<unsigned>(box.width()), h = static_cast<unsigned>(box.height());
    if (useShm) {
      XShmPutImage(display, window, gc, image, box.left, box.top, box.left, box.top, w, h, True);
      shmBusy = true;
      shmSentMs = nowMs();
    } else {
      XPutImage(display, window, gc, image, box.left, box.top, box.left, box.top, w, h);
    }
    XFlush(display);
  }
};

XlibScreen::XlibScreen(Key) : x_(std::make_unique<Connection>()) {}

XlibScreen::~XlibScreen() = default;

bool XlibScreen::sharedMemory() const { return x_->useShm; }

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
  x.visual = attributes.visual;
  x.depth = attributes.depth;
  bitsPerPixel_ = attributes.depth;
  // Shareable events only: button and key presses stay the owner's.
  XSelectInput(x.display, window, StructureNotifyMask | ExposureMask);
  x.gc = XCreateGC(x.display, window, 0, nullptr);
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
  x.useShm = XShmQueryExtension(x.display) == True;
  if (x.useShm) x.shmCompletion = XShmGetEventBase(x.display) + ShmCompletion;
  attachSurface(Surface(width, height));
  if (x.image == nullptr) {
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
  if (!windowOff()) x.makeImage(picture.width(), picture.height());
  // A 24-bit image laid out like our pixels is drawn into directly, and
  // showing it copies nothing; other layouts, and windows that need an
  // alpha byte set, are converted row by row when shown.
  if (x.image != nullptr && x.direct && x.alpha == 0 && x.image->width == picture.width() &&
      x.image->height == picture.height() &&
      x.image->bytes_per_line == picture.width() * static_cast<int>(sizeof(Pixel))) {
    surface_ = Surface(picture.width(), picture.height(), reinterpret_cast<Pixel*>(x.image->data));
    surface_.copyFrom(picture);
    borrowed_ = true;
  } else {
    surface_ = std::move(picture);
  }
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
  } else if (e.type == x.shmCompletion) {
    // A late answer to a segment already replaced must not free the new one.
    if (reinterpret_cast<const XShmCompletionEvent&>(e).shmseg == x.shm.shmseg) x_->shmBusy = false;
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
  if (windowOff() || x.image == nullptr) {
    pacer_.drop();
    return;
  }
  if (x.shmBusy) {
    relevantEventAtHead();  // reads the completion if it has come
    if (x.shmBusy && nowMs() - x.shmSentMs < kShmPatienceMs) return;
  }
  const Rect box = pacer_.take(std::min(surface_.width(), x.image->width),
                               std::min(surface_.height(), x.image->height), nowMs());
  if (!box.empty()) {
    if (!borrowed_) x.copyBox(surface_, box);
    x.put(box);
  }
}

}  // namespace warpix

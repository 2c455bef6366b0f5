#include "platform/linux/SdlScreen.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>
// Xlib's None is a macro; here None always means the event kind.
#undef None

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/linux/XErrors.h"

namespace warpix {

namespace {

// Longest single wait: a stop signal does not interrupt SDL's wait, so the
// flag is looked at this often while the saver is idle.
constexpr std::uint64_t kSignalPollMs = 50;
constexpr int kFallbackRefreshHz = 60;
// Monitors with a missing or made-up physical size report densities no
// screen has; those count as not saying.
constexpr float kMinPlausibleDpi = 30.0f;
constexpr float kMaxPlausibleDpi = 1000.0f;

bool sdlReady = false;

}  // namespace

void SdlScreen::WindowDeleter::operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
void SdlScreen::SurfaceDeleter::operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }

SdlScreen::SdlScreen(Key) {}

SdlScreen::~SdlScreen() {
  if (leftToProcessEnd_) {
    // Freeing these one by one costs round trips to the server (detaching
    // the shared image, destroying the window, closing SDL's connections)
    // between the key and the end of the process, and the server does it
    // all when the connection closes.
    (void)image_.release();
    (void)window_.release();
    return;
  }
  image_.reset();
  frame_.reset();
  window_.reset();
  if (sdlReady) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    sdlReady = false;
  }
}

std::unique_ptr<SdlScreen> SdlScreen::open(std::string& error) {
  // Our own handlers for SIGTERM and SIGINT, so that the scene's destroy
  // handling runs; and the desktop keeps its right to blank the monitors.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // The saver belongs on the X desktop, never straight on the console's display device.
  // SDL_VIDEODRIVER in the environment still wins.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // The window's own pixels are copied straight to the X server (shared
  // memory where offered). Left to itself SDL would present through an
  // OpenGL texture: on a machine without a GPU that is a software
  // rasteriser with a thread per core, more CPU for every frame and a GL
  // teardown between the key press and the end of the process.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  XErrors::install();
  if (sdlReady || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = sdlReady ? "the display is already open" : SDL_GetError();
    return nullptr;
  }
  sdlReady = true;
  auto screen = std::make_unique<SdlScreen>(Key{});
  SDL_EnableScreenSaver();
  if (!screen->openOwnWindow(error)) return nullptr;
  screen->readDisplayMode();
  SDL_StopTextInput();
  return screen;
}

bool SdlScreen::openOwnWindow(std::string& error) {
  const int count = SDL_GetNumVideoDisplays();
  if (count < 1) {
    error = SDL_GetError();
    return false;
  }
  std::vector<SDL_Rect> displays;
  SDL_Rect all{};
  for (int i = 0; i < count; ++i) {
    SDL_Rect r{};
    if (SDL_GetDisplayBounds(i, &r) != 0) continue;
    if (displays.empty()) all = r;
    else SDL_UnionRect(&all, &r, &all);
    displays.push_back(r);
  }
  if (displays.empty() || all.w <= 0 || all.h <= 0) {
    error = "no display reports its size";
    return false;
  }
  bounds_ = {all.x, all.y, all.x + all.w, all.y + all.h};
  for (const SDL_Rect& r : displays)
    monitors_.push_back({r.x - all.x, r.y - all.y, r.x - all.x + r.w, r.y - all.y + r.h});
  const Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_SHOWN;
  window_.reset(SDL_CreateWindow("", all.x, all.y, all.w, all.h, flags));
  if (!window_) {
    error = SDL_GetError();
    return false;
  }
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window_.get(), &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    xDisplay_ = info.info.x11.display;
    xWindow_ = info.info.x11.window;
    image_ = std::make_unique<XWindowImage>(xDisplay_, xWindow_, false);
  }
  attachSurface(Surface(all.w, all.h));
  SDL_ShowCursor(SDL_DISABLE);
  SDL_RaiseWindow(window_.get());
  // Without a window manager nobody else gives the window the keyboard.
  SDL_SetWindowInputFocus(window_.get());
  return true;
}

void SdlScreen::readDisplayMode() {
  int index = SDL_GetWindowDisplayIndex(window_.get());
  if (index < 0) index = 0;
  SDL_DisplayMode mode{};
  int refresh = kFallbackRefreshHz;
  if (SDL_GetCurrentDisplayMode(index, &mode) == 0) {
    if (mode.refresh_rate > 0) refresh = mode.refresh_rate;
    if (SDL_BITSPERPIXEL(mode.format) > 0) bitsPerPixel_ = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
  }
  pacer_.setFrameMs(static_cast<std::uint32_t>((1000 + refresh - 1) / refresh));
  float vdpi = 0.0f;
  if (SDL_GetDisplayDPI(index, nullptr, nullptr, &vdpi) == 0 && vdpi >= kMinPlausibleDpi && vdpi <= kMaxPlausibleDpi)
    verticalDpi_ = static_cast<int>(std::lround(vdpi));
}

void SdlScreen::attachSurface(Surface picture) {
  // The image is made anew, so nothing may point into the old one.
  surface_ = Surface(1, 1);
  frame_.reset();
  borrowed_ = false;
  if (image_ && image_->make(picture.width(), picture.height())) {
    surface_ = image_->drawingSurface(std::move(picture), borrowed_);
    surface_.markAllDirty();
    pacer_.expose();
    return;
  }
  image_.reset();  // no image of the window's format: SDL shows it
  // SDL's image of the window, when its pixels are laid out like ours: the
  // scene then draws straight into it. Asking SDL for it replaces the old
  // one, so nothing may point into that one any more.
  SDL_Surface* target = SDL_GetWindowSurface(window_.get());
  const bool direct = target != nullptr && target->format->format == SDL_PIXELFORMAT_RGB888 &&
                      target->w == picture.width() && target->h == picture.height() &&
                      target->pitch == picture.width() * static_cast<int>(sizeof(Pixel)) && !SDL_MUSTLOCK(target);
  if (direct) {
    surface_ = Surface(target->w, target->h, static_cast<Pixel*>(target->pixels));
    surface_.copyFrom(picture);
  } else {
    surface_ = std::move(picture);
    frame_.reset(SDL_CreateRGBSurfaceWithFormatFrom(surface_.pixelsUnmarked(), surface_.width(), surface_.height(),
                                                    32, surface_.stride() * static_cast<int>(sizeof(Pixel)),
                                                    SDL_PIXELFORMAT_RGB888));
  }
  surface_.markAllDirty();
  pacer_.expose();
}

void SdlScreen::resizeTo(int width, int height) {
  Surface next(std::max(width, 1), std::max(height, 1));
  next.copyFrom(surface_);
  attachSurface(std::move(next));
  bounds_.right = bounds_.left + surface_.width();
  bounds_.bottom = bounds_.top + surface_.height();
  // A window manager squeezed our window: keep what is left of each monitor.
  std::vector<Rect> kept;
  for (Rect m : monitors_) {
    m.right = std::min(m.right, surface_.width());
    m.bottom = std::min(m.bottom, surface_.height());
    if (m.width() > 0 && m.height() > 0) kept.push_back(m);
  }
  if (kept.empty()) kept.push_back({0, 0, surface_.width(), surface_.height()});
  monitors_ = kept;
}

ScreenBackend::InputEvent SdlScreen::classify(const SDL_Event& e) {
  InputEvent out;
  switch (e.type) {
    case SDL_QUIT:
      out.kind = InputEvent::Kind::Quit;
      break;
    case SDL_KEYDOWN:
      out.kind = InputEvent::Kind::Key;
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (e.button.button == SDL_BUTTON_LEFT || e.button.button == SDL_BUTTON_MIDDLE ||
          e.button.button == SDL_BUTTON_RIGHT)
        out.kind = InputEvent::Kind::Button;
      break;
    case SDL_MOUSEMOTION:
      out.kind = InputEvent::Kind::Motion;
      out.x = e.motion.x;
      out.y = e.motion.y;
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
          out.kind = InputEvent::Kind::FocusLost;
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          if (e.window.data1 != surface_.width() || e.window.data2 != surface_.height()) {
            out.kind = InputEvent::Kind::Resize;
            out.width = e.window.data1;
            out.height = e.window.data2;
          }
          break;
        case SDL_WINDOWEVENT_EXPOSED:
          pacer_.expose();
          break;
        default:
          // The close command, like the screensave command, is swallowed.
          break;
      }
      break;
    default:
      break;
  }
  return out;
}

bool SdlScreen::nothingArrived() {
  if (xDisplay_ == nullptr || SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE ||
      XEventsQueued(xDisplay_, QueuedAlready) > 0)
    return false;
  // The socket alone says whether the server sent anything, in one call
  // where Xlib's reading takes three or four. (No flush here: XFlush reads
  // the socket too, and pictures are flushed when they are put.)
  pollfd fd{ConnectionNumber(xDisplay_), POLLIN, 0};
  return poll(&fd, 1, 0) == 0;
}

bool SdlScreen::sleepUntilInput(std::uint64_t ms) {
  // When both queues are empty the socket tells the rest, and a signal
  // cuts the poll short.
  if (xDisplay_ == nullptr || SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT) == SDL_TRUE ||
      XEventsQueued(xDisplay_, QueuedAlready) > 0) {
    SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
    return false;
  }
  pollfd fd{ConnectionNumber(xDisplay_), POLLIN, 0};
  return poll(&fd, 1, static_cast<int>(ms)) == 0;
}

bool SdlScreen::relevantEventAtHead() {
  // A pump looks at the connection a dozen times; while a pass runs, input
  // is looked for hundreds of times a second and nearly always absent.
  if (nothingArrived()) return false;
  SDL_PumpEvents();
  SDL_Event e;
  while (SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    if (classify(e).kind != InputEvent::Kind::None) return true;
    // The head is of this type, so this takes exactly the event looked at.
    SDL_PeepEvents(&e, 1, SDL_GETEVENT, e.type, e.type);
  }
  return false;
}

bool SdlScreen::eventWaiting() {
  if (StopSignals::raised()) return true;
  // Some operations ask after every cell of their work, millions of times
  // a pass, and a look at the X connection costs far more than a cell.
  // Within one millisecond of a look that found nothing the answer stands;
  // input still ends the work within that millisecond.
  const std::uint64_t now = SDL_GetTicks64();
  if (pacer_.emptyAt(now)) return false;
  if (relevantEventAtHead()) return true;
  pacer_.foundEmpty(now);
  return false;
}

ScreenBackend::InputEvent SdlScreen::nextEvent() {
  if (StopSignals::raised()) return {InputEvent::Kind::Quit};
  SDL_Event e;
  while (SDL_PollEvent(&e) == 1) {
    const InputEvent event = classify(e);
    if (event.kind == InputEvent::Kind::Resize) resizeTo(event.width, event.height);
    if (event.kind != InputEvent::Kind::None) return event;
  }
  return {};
}

void SdlScreen::hide() {
  if (xDisplay_ == nullptr) {
    if (window_) SDL_HideWindow(window_.get());
    return;
  }
  // SDL's own hide waits for the server to answer twice; the unmap alone
  // takes the window off the screen as soon as the server reads it.
  XUnmapWindow(xDisplay_, xWindow_);
  XFlush(xDisplay_);
}

void SdlScreen::leaveToProcessEnd() {
  // Off X there is no server to leave things to.
  leftToProcessEnd_ = xDisplay_ != nullptr;
}

bool SdlScreen::waitForEvent(std::uint32_t ms) {
  const std::uint64_t deadline = SDL_GetTicks64() + ms;
  for (;;) {
    // Changes held back by the refresh limit are shown while we wait.
    flushIfDue();
    if (eventWaiting()) return true;
    const std::uint64_t now = SDL_GetTicks64();
    if (now >= deadline) return false;
    // A sleep that ran out with the socket silent was a look that found
    // nothing; anything else is looked at anew.
    if (sleepUntilInput(pacer_.sleepMs(now, deadline, kSignalPollMs)))
      pacer_.foundEmpty(SDL_GetTicks64());
    else
      pacer_.forgetLook();
  }
}

void SdlScreen::present() { flushIfDue(); }

void SdlScreen::flushIfDue() {
  if (pacer_.due(surface_, SDL_GetTicks64())) flush();
}

void SdlScreen::flush() {
  if (image_) {
    const DirtyRegion shown = pacer_.take(std::min(surface_.width(), image_->width()),
                                          std::min(surface_.height(), image_->height()), SDL_GetTicks64());
    if (shown.empty()) return;
    if (!borrowed_)
      for (const Rect& box : shown) image_->copyBox(surface_, box);
    image_->put(shown);
    return;
  }
  const bool all = pacer_.wholeWindow();
  const DirtyRegion shown = pacer_.take(surface_.width(), surface_.height(), SDL_GetTicks64());
  std::array<SDL_Rect, DirtyRegion::kMostBoxes> boxes{};
  int count = 0;
  for (const Rect& r : shown) boxes[static_cast<std::size_t>(count++)] = {r.left, r.top, r.width(), r.height()};
  if (frame_) {
    // Drawn in our own memory: copy the boxes into the window's image. Only
    // here may SDL be asked for that image; a direct surface points into
    // it, and asking could replace it.
    SDL_Surface* target = SDL_GetWindowSurface(window_.get());
    if (target == nullptr) return;
    for (int i = 0; i < count; ++i) {
      SDL_Rect to = boxes[static_cast<std::size_t>(i)];
      SDL_BlitSurface(frame_.get(), &boxes[static_cast<std::size_t>(i)], target, &to);
    }
  }
  if (all) SDL_UpdateWindowSurface(window_.get());
  else if (count > 0) SDL_UpdateWindowSurfaceRects(window_.get(), boxes.data(), count);
}

}  // namespace warpix

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/RefreshPacer.h"
#include "platform/ScreenBackend.h"
#include "platform/linux/StopSignals.h"
#include "platform/linux/XWindowImage.h"

struct SDL_Window;
struct _XDisplay;
struct SDL_Surface;
union SDL_Event;

namespace warpix {

// The real screen of a saver that owns its window: an SDL2 window over every
// monitor. (A window that another program lends us is XlibScreen's.) The
// framebuffer is the program's own Surface; present() sends the box that
// changed to the window, at most once per display refresh.
//
// The queue shows the scene only what it has to react to: keys, buttons,
// pointer motion, loss of focus, resizes and the request to quit. Anything
// else is handled here and dropped, so that a flood of exposures never
// keeps an operation from running.
class SdlScreen final : public ScreenBackend {
 public:
  // Opens the display and the window; nullptr with `error` set when there
  // is no usable display.
  static std::unique_ptr<SdlScreen> open(std::string& error);

  // Only open() makes one; the key keeps everyone else out.
  class Key {
    friend class SdlScreen;
    Key() = default;
  };
  explicit SdlScreen(Key);
  ~SdlScreen() override;
  SdlScreen(const SdlScreen&) = delete;
  SdlScreen& operator=(const SdlScreen&) = delete;

  Rect bounds() const override { return bounds_; }
  std::vector<Rect> monitors() const override { return monitors_; }
  int bitsPerPixel() const override { return bitsPerPixel_; }
  int verticalDpi() const override { return verticalDpi_; }
  Surface& surface() override { return surface_; }
  void present() override;
  // Taking a Resize off the queue gives the surface its new size; the loop
  // takes events only between paint steps, so no operation is drawing then.
  InputEvent nextEvent() override;
  void hide() override;
  void leaveToProcessEnd() override;
  bool eventWaiting() override;
  bool waitForEvent(std::uint32_t ms) override;

  // Milliseconds between two presents (one display refresh).
  std::uint32_t frameMs() const { return pacer_.frameMs(); }

 private:
  struct WindowDeleter {
    void operator()(SDL_Window* w) const;
  };
  struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const;
  };

  bool openOwnWindow(std::string& error);
  void readDisplayMode();
  // Makes `picture` the screen's surface, in the window's own image when
  // that can be drawn into directly.
  void attachSurface(Surface picture);
  void resizeTo(int width, int height);

  // Sorts one SDL event: what the scene must see, or None after handling it here.
  InputEvent classify(const SDL_Event& e);
  // Drops the events at the head of the queue that the scene ignores.
  bool relevantEventAtHead();
  // True when nothing can be waiting: SDL's and Xlib's queues are empty and
  // the X server has sent nothing. One look at the socket instead of the
  // dozen reads a pump of SDL's makes. False when unsure (not on X).
  bool nothingArrived();
  // Sleeps up to `ms` or until something arrives; true when the sleep ran
  // out and the X server sent nothing meanwhile.
  bool sleepUntilInput(std::uint64_t ms);
  void flushIfDue();
  void flush();

  StopSignals signals_;
  std::unique_ptr<SDL_Window, WindowDeleter> window_;
  // SDL's view of surface_ when the surface is our own memory, to be copied
  // into the window's image; empty when the surface is that image.
  std::unique_ptr<SDL_Surface, SurfaceDeleter> frame_;
  // On X the window is shown from our own image, without the round trip
  // SDL makes after every picture; empty elsewhere, where SDL shows it.
  std::unique_ptr<XWindowImage> image_;
  bool borrowed_ = false;  // surface_ is image_'s pixels
  Surface surface_{1, 1};
  Rect bounds_;
  std::vector<Rect> monitors_;
  int bitsPerPixel_ = 32;
  int verticalDpi_ = kDefaultDpi;
  RefreshPacer pacer_;
  bool quitSent_ = false;
  // SDL's own X connection and the window on it, when SDL runs on X.
  _XDisplay* xDisplay_ = nullptr;
  unsigned long xWindow_ = 0;
  bool leftToProcessEnd_ = false;
};

}  // namespace warpix

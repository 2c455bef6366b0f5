#pragma once

#include <deque>
#include <vector>

#include "platform/ScreenBackend.h"

namespace warpix {

// A screen in memory: the render mode and the tests draw on it. Its width is
// split into equal monitors side by side. Events are queued by hand.
class HeadlessScreen final : public ScreenBackend {
 public:
  HeadlessScreen(int width, int height, int monitorCount = 1, int bitsPerPixel = 32);

  Rect bounds() const override { return {0, 0, surface_.width(), surface_.height()}; }
  std::vector<Rect> monitors() const override { return monitors_; }
  int bitsPerPixel() const override { return bitsPerPixel_; }
  int reservedPaletteEntries() const override { return bitsPerPixel_ <= 8 ? 20 : 0; }
  bool paletteDevice() const override { return bitsPerPixel_ <= 8; }
  Surface& surface() override { return surface_; }
  // Counts the presents, and notes which pixels they carried to the
  // "monitor" since the last resetPresented().
  void present() override;
  InputEvent nextEvent() override;
  void hide() override { hidden_ = true; }
  bool hidden() const { return hidden_; }

  bool eventWaiting() override {
    releaseDelayed();
    return !events_.empty();
  }
  bool waitForEvent(std::uint32_t) override { return eventWaiting(); }

  void pushEvent(const InputEvent& e) { events_.push_back(e); }
  // Scripted input: the event arrives after the queue has been looked at
  // `checks` more times, that is in the middle of an operation's work.
  void pushEventAfterChecks(int checks, const InputEvent& e) {
    delayedChecks_ = checks;
    delayed_ = e;
  }
  int presents() const { return presents_; }
  bool pixelPresented(int x, int y) const {
    return surface_.contains(x, y) && !presented_.empty() &&
           presented_[static_cast<std::size_t>(y) * surface_.width() + static_cast<std::size_t>(x)];
  }
  // Starts recording which pixels present() shows (and forgets the count);
  // until then nothing is recorded, so a headless render pays nothing.
  void resetPresented();

 private:
  Surface surface_;
  std::vector<Rect> monitors_;
  int bitsPerPixel_;
  void releaseDelayed() {
    if (delayedChecks_ > 0 && --delayedChecks_ == 0) events_.push_back(delayed_);
  }

  std::deque<InputEvent> events_;
  int delayedChecks_ = 0;
  InputEvent delayed_;
  int presents_ = 0;
  bool hidden_ = false;
  std::vector<bool> presented_;
};

}  // namespace warpix

#pragma once

#include <cstdint>

#include "app/Random.h"
#include "platform/DirtyRegion.h"
#include "platform/Pixel.h"
#include "raster/ColorRGB.h"
#include "scene/Operation.h"
#include "scene/teTimer.h"

namespace warpix {

class CSceneWnd;

// The base of every drawing operation. An operation works in small units
// inside the scene's paint step and gives the thread back as soon as input
// waits, keeping its progress in its own fields so the next step resumes
// where it stopped.
class Saver : public Operation {
 public:
  static constexpr std::int32_t kTimeLimitMs = 60000;
  static constexpr int kUnitsPerCheck = 600;
  static constexpr int kPacingMs = 3;

  explicit Saver(CSceneWnd& scene);
  ~Saver() override;
  Saver(const Saver&) = delete;
  Saver& operator=(const Saver&) = delete;

  void run() final;
  bool isFinished() final;
  bool setFinished(bool flag) final { return finished_ = flag; }
  void requestStop(bool flag) final { stopRequested_ = flag ? 1 : 0; }
  bool stopRequested() const final { return stopRequested_ != 0; }
  void describe(JsonLine& line) const override;
  std::int32_t randomSeed() const final { return random.seedValue(); }
  std::uint32_t number() const final { return number_; }
  void setNumber(std::uint32_t n) final { number_ = n; }

  bool canContinue();
  bool pace();
  ColorRGB pen() const { return penColour; }

 protected:
  virtual void draw() = 0;

  // The per-unit bookkeeping every draw loop does: counts the unit and, on
  // every 600th (the first included), shows what was drawn so far, checks
  // for input and paces. False means input waits or a stop was asked:
  // return at once, keep state.
  bool tick() {
    const std::int32_t unit = pixelCount++;
    if (unit != nextLook_) return true;
    nextLook_ = unit + unitsPerInputLook_;
    if (unit % kUnitsPerCheck == 0) return checkAndPace();
    // Between checks, an operation whose units are heavy looks for input
    // alone (no showing, no pacing), so closing never waits out 600 of them.
    return canContinue();
  }
  // Counts `units` units as that many tick() calls would, the last of them
  // the only one that may look for input (so at most unitsUntilLook()), and
  // notes first that raw pixels were written in the box `written`, none of
  // them in `hole`.
  bool tick(std::int32_t units, const Rect& written, const Rect& hole = {}) {
    written_.addOutside(written, hole);
    pixelCount += units - 1;
    return tick();
  }
  // How often, in units, tick() looks for input between its checks; for
  // operations whose units take microseconds, not nanoseconds. Must divide
  // kUnitsPerCheck; set before the first tick.
  void lookForInputEvery(std::int32_t units) { unitsPerInputLook_ = units; }
  // How many units, this one included, run before tick() next looks for
  // input: a loop may prepare that many at once and then tick through them.
  std::int32_t unitsUntilLook() const { return nextLook_ - pixelCount + 1; }
  // Loops that write the screen's raw pixels (Surface::pixelsUnmarked)
  // note the box of what they wrote here (an empty one for nothing); it is
  // marked changed at the next check, so the screen shows the sweep as it
  // goes and sends only what the sweep touched.
  void wrote(const Rect& box) { written_.add(box); }

  CSceneWnd* scene;
  ColorRGB penColour;
  std::int32_t paletteIndex = 0;
  Random random;
  std::uint32_t createdClock = 0;
  std::uint32_t startClock = 0;
  std::int32_t stopRequested_ = 0;
  std::int32_t timeLimitMs = kTimeLimitMs;
  std::int32_t paletteSize = 0;
  bool finished_ = false;
  teTimer pacingTimer;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  bool started = false;
  std::int32_t pixelCount = 0;

 private:
  bool checkAndPace();
  // Marks the boxes noted by wrote() on the screen and forgets them.
  void markWritten();

  std::uint32_t number_ = 0;
  std::int32_t unitsPerInputLook_ = kUnitsPerCheck;
  std::int32_t nextLook_ = 0;  // the unit at which tick() next looks
  DirtyRegion written_;
};

}  // namespace warpix

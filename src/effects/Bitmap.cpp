#include "effects/Bitmap.h"

#include <algorithm>
#include <memory>

#include "app/Trace.h"
#include "effects/PictureFrame.h"
#include "platform/Clock.h"
#include "raster/Image.h"
#include "raster/ImageDecoder.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix {

namespace {
// How often the wait for the photo period looks at the clock: often enough
// to start the photo on time, rarely enough to leave the CPU alone.
constexpr std::uint32_t kPeriodPollMs = 10;
}  // namespace

Bitmap::Bitmap(CSceneWnd& scene_)
    : Saver(scene_), holdTimer_(scene_.program().clock,
                                static_cast<std::int64_t>(scene_.program().settings.imagePause()) * 1000) {}

void Bitmap::draw() {
  if (!shown_) {
    photoStep();
    shown_ = true;
  }
  Program& p = scene->program();
  bool expired = false;
  while (canContinue() && !stopRequested() && !expired) {
    expired = holdTimer_.expired(true, &scene->events());
    if (!expired) p.clock.waitForEvent(scene->events(), 1000);
  }
  setFinished(expired);
}

void Bitmap::waitForPeriod() {
  Program& p = scene->program();
  const std::int64_t period = p.settings.imagePeriod();
  while (canContinue() && p.clock.wallSeconds() - p.lastPhotoTime < period)
    p.clock.waitForEvent(scene->events(), kPeriodPollMs);
}

void Bitmap::photoStep() {
  Program& p = scene->program();
  waitForPeriod();
  // A file that cannot be shown hands over to the next one, so one broken
  // file does not leave the screen black for a whole photo period. Never
  // more tries than files, so a small folder is not decoded over and over.
  const std::size_t tries = std::clamp<std::size_t>(scene->imageFiles().size(), 1, kMaxTries);
  std::string path;
  bool shown = false;
  int skipped = 0;
  for (std::size_t attempt = 0; attempt < tries && !shown; ++attempt) {
    // Input waiting means the saver is closing: no more decoding.
    if (attempt > 0 && !canContinue()) break;
    path = scene->nextImageFile();
    if (p.trace.on()) p.trace.traceLine(traceSite("Bitmap", __LINE__, " : sFilePathName = ") + path);
    if (path.find('.') == std::string::npos) {
      if (attempt == 0) {
        logPhoto(path, false, 0);
        return;
      }
      break;
    }
    shown = show(path);
    if (!shown) {
      ++skipped;
      if (p.trace.on()) p.trace.traceLine(traceSite("Bitmap", __LINE__, " : skipped = ") + path);
    }
  }
  p.lastPhotoTime = p.clock.wallSeconds();
  logPhoto(path, shown, skipped);
}

bool Bitmap::show(const std::string& path) {
  std::unique_ptr<Image> image;
  int divisor = 1;
  const auto fits = [&] { return image->Width() <= width && image->Height() <= height; };
  for (;;) {
    image = decodeImage(path, width, divisor);
    if (!image || !image->loaded()) break;
    if (!fits()) {
      divisor *= 2;
      if (divisor > 7) break;
    }
    if (fits()) break;
  }
  const bool shown = image && image->loaded() && fits();
  if (shown) place(*image);
  return shown;
}

void Bitmap::place(const Image& image) {
  const int w = image.Width(), h = image.Height();
  const Point at = PictureFrame::place(*scene, random, w, h);
  image.Draw(scene->surface(), at.x, at.y);
  PictureFrame::frame(*scene, random, at, w, h, w, h);
}

void Bitmap::logPhoto(const std::string& path, bool shown, int skipped) const {
  OperationLog* log = scene->program().operationLog;
  if (log == nullptr) return;
  JsonLine line;
  line.add("op", static_cast<std::int64_t>(number())).add("file", path).add("shown", shown);
  log->write(line.add("skipped", skipped));
}

}  // namespace warpix

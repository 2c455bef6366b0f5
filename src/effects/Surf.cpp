#include "effects/Surf.h"

#include <memory>

#include "app/Trace.h"
#include "effects/PictureFrame.h"
#include "platform/Clock.h"
#include "raster/Image.h"
#include "raster/ImageJPEG.h"
#include "raster/ImagePNG.h"
#include "scene/CSceneWnd.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "web/CrawlStep.h"
#include "web/WebPage.h"

namespace warpix {

Surf::Surf(CSceneWnd& scene_) : Saver(scene_) {
  Program& p = scene_.program();
  const std::int64_t now = p.clock.wallSeconds();
  if (p.lastNewImagesTime == 0) p.lastNewImagesTime = now;
  if (p.lastWebImageTime == 0) p.lastWebImageTime = now;
}

int Surf::stretchFor(int w, int h, int sceneWidth, int sceneHeight) {
  int stretch = 1;
  while (static_cast<std::int64_t>(w) * stretch <= sceneWidth / 3 &&
         static_cast<std::int64_t>(h) * stretch <= sceneHeight / 3 && stretch < kMaxStretch)
    stretch *= 2;
  return stretch;
}

void Surf::draw() {
  Program& p = scene->program();
  WebPage* crawler = scene->crawler();
  const std::uint64_t fetches = crawler != nullptr ? crawler->fetchCount() : 0;
  CrawlContext context{p.settings,         p.random,          p.clock, p.online, p.lastWebImageTime,
                       p.lastNewImagesTime, p.waitForFetches};
  const bool downloaded = CrawlStep(crawler, random, context);
  std::string address;
  bool shown = false;
  if (downloaded) {
    address = crawler->finishedAddress();
    std::unique_ptr<Image> image;
    if (crawler->isPng()) image = std::make_unique<ImagePNG>(crawler->tempFile(), width, 1);
    else image = std::make_unique<ImageJPEG>(crawler->tempFile(), width, 1);
    shown = show(*image);
  } else if (crawler != nullptr && crawler->fetchCount() != fetches) {
    address = crawler->address();
  }
  logPicture(address, shown);
  setFinished(true);
}

bool Surf::show(const Image& image) {
  const int w = image.Width(), h = image.Height();
  if (!image.loaded() || w < kMinSide || h < kMinSide || w > width || h > height) return false;
  Program& p = scene->program();
  const int stretch = stretchFor(w, h, width, height);
  const int shownWidth = w * stretch, shownHeight = h * stretch;
  if (p.trace.on()) {
    Trace& t = p.trace;
    t.traceLine(traceSite("Surf", __LINE__, " : pImage->Width() = ") + std::to_string(w));
    t.traceLine(traceSite("Surf", __LINE__, " : m_pSceneWnd->Width() / 4 = ") + std::to_string(width / 4));
    t.traceLine(traceSite("Surf", __LINE__, " : pImage->Height() = ") + std::to_string(h));
    t.traceLine(traceSite("Surf", __LINE__, " : m_pSceneWnd->Height()/ 4 = ") + std::to_string(height / 4));
    t.traceLine(traceSite("Surf", __LINE__, " : stretch = ") + std::to_string(stretch));
    if (stretch > 1) {
      t.traceLine(traceSite("Surf", __LINE__, " : imgWidth = ") + std::to_string(shownWidth));
      t.traceLine(traceSite("Surf", __LINE__, " : imgHeight = ") + std::to_string(shownHeight));
    }
  }
  const Point at = PictureFrame::place(*scene, random, shownWidth, shownHeight);
  Surface& screen = scene->surface();
  if (stretch == 1) image.Draw(screen, at.x, at.y);
  else screen.stretchDib(at.x, at.y, shownWidth, shownHeight, image.header(), image.bits());
  PictureFrame::frame(*scene, random, at, w, h, shownWidth, shownHeight);
  p.lastWebImageTime = p.clock.wallSeconds();
  return true;
}

void Surf::logPicture(const std::string& address, bool shown) const {
  OperationLog* log = scene->program().operationLog;
  if (log == nullptr) return;
  JsonLine line;
  log->write(line.add("op", static_cast<std::int64_t>(number())).add("address", address).add("shown", shown));
}

}  // namespace warpix

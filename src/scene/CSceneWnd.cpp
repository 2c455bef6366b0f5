#include "scene/CSceneWnd.h"

#include <new>

#include "app/Trace.h"
#include "platform/Clock.h"
#include "platform/ScreenBackend.h"
#include "raster/Image.h"
#include "raster/ImageCatalogue.h"
#include "scene/OperationKind.h"
#include "scene/OperationLog.h"
#include "scene/Program.h"
#include "scene/Operation.h"
#include "settings/RegSettings.h"
#include "web/WebOnline.h"
#include "web/WebPage.h"

namespace warpix {

CSceneWnd::CSceneWnd(Program& program, ScreenBackend& screen, const OperationCatalog& operations)
    : program_(program), screen_(screen), operations_(operations), delayTimer_(program.clock, 0) {
  startTime_ = program.clock.wallSeconds();
}

CSceneWnd::~CSceneWnd() {
  if (created_) onDestroy();
}

void CSceneWnd::setCurrentOperation(std::unique_ptr<Operation> op) { currentOperation_ = std::move(op); }

Surface& CSceneWnd::surface() { return screen_.surface(); }

void CSceneWnd::present() { screen_.present(); }

EventSource& CSceneWnd::events() { return screen_; }

int CSceneWnd::verticalDpi() const { return screen_.verticalDpi(); }

bool CSceneWnd::onCreate() {
  const Surface& s = screen_.surface();
  onSize(s.width(), s.height());
  const bool paletteDevice = screen_.paletteDevice();
  const int bits = screen_.bitsPerPixel();
  paletteSize_ = ScenePalette::paletteSizeFor(paletteDevice, screen_.reservedPaletteEntries());
  paletteAnimation_ = ScenePalette::animationFor(paletteDevice, bits);
  trueColour_ = bits > 8;
  palette_ = ScenePalette(paletteAnimation_);
  palette_.generatePalette(paletteSize_, program_.random, placementCounter_);
  KindTable kinds = buildKindTable(operations_, program_.settings, bits, program_.runMode);
  program_.settings.buildChoiceTables(std::move(kinds.ids), std::move(kinds.weights),
                                      operations_.distortionWeights(program_.settings));
  createCrawler();
  created_ = true;
  logHeader();
  return true;
}

void CSceneWnd::onSize(int width, int height) {
  // The screen knows its monitors after a resize too.
  monitors_ = screen_.monitors();
  if (width != width_ || height != height_) {
    // The scratch surface must match the screen; the next request makes a
    // new one of the new size.
    scratch_.reset();
    scratchTried_ = false;
  }
  width_ = width;
  height_ = height;
}

bool CSceneWnd::onPaint() {
  invalidated_ = false;
  Program& p = program_;
  if (!currentOperation_) {
    if (p.trace.on())
      p.trace.traceLine(traceSite("Scenewnd", 694, " : gApp.rand.seed() = ") + std::to_string(p.random.seedValue()));
    buildImageFiles();
    currentOperation_ = nextOperation();
    ++operationCount_;
    logOperation(*currentOperation_);
  }
  const RegSettings& settings = p.settings;
  if (settings.blankScreen() &&
      (p.clock.wallSeconds() - startTime_) / 60 >= static_cast<std::int64_t>(settings.blankMinutes())) {
    surface().fill(0);
    currentOperation_.reset();
    return false;
  }
  Operation* op = currentOperation_.get();
  if (op->stopRequested()) return false;
  if (op->isFinished()) {
    if (settings.saveBitmap()) writeSnapshot();
    if (finishedHook_ && !finishedHook_(operationCount_, surface())) return false;
    ++operationCount_;
    currentOperation_ = nextOperation();
    logOperation(*currentOperation_);
    op = currentOperation_.get();
  }
  op->run();
  if (op->stopRequested()) return false;
  invalidated_ = true;
  return true;
}

std::unique_ptr<Operation> CSceneWnd::nextOperation() {
  Program& p = program_;
  currentOperation_.reset();
  const RegSettings& settings = p.settings;
  const std::vector<int>& ids = settings.kindIds();
  std::vector<int> exclude;
  const auto excludeWhere = [&](auto&& rule) {
    for (std::size_t i = 0; i < ids.size(); ++i)
      if (rule(operations_.kind(ids[i]))) exclude.push_back(static_cast<int>(i));
  };
  const std::int64_t now = p.clock.wallSeconds();
  if (now - p.lastPhotoTime < settings.imagePeriod())
    excludeWhere([](const OperationKind& k) { return k.has(OperationKind::kPhoto); });
  if (crawler_ && now - p.lastWebImageTime < settings.webSitePeriod())
    excludeWhere([](const OperationKind& k) { return k.has(OperationKind::kWebImage); });
  if (operationCount_ > 1) {
    if ((now - startTime_) / 60 < 1)
      excludeWhere([](const OperationKind& k) { return k.has(OperationKind::kRestsFirstMinute); });
  } else {
    // A run opens with a photo whenever the photo kind can run.
    excludeWhere([](const OperationKind& k) { return !k.has(OperationKind::kPhoto); });
  }
  const int index = settings.kinds().pick(p.random, exclude, 10);
  const OperationKind& kind =
      index >= 0 && index < static_cast<int>(ids.size()) ? operations_.kind(ids[index]) : operations_.fallback;
  return kind.create(*this, kind);
}

void CSceneWnd::createCrawler() {
  const RegSettings& settings = program_.settings;
  if (settings.webAccess() == 0 || !settings.hasWebSites() || program_.http == nullptr) return;
  if (settings.webAccess() != 2 && !WebOnline(program_.online).IsOnline()) return;
  crawler_ = std::make_unique<WebPage>(*program_.http, program_.clock, program_.trace);
  crawler_->SetTempFile(program_.tempFilePath);
}

void CSceneWnd::buildImageFiles() {
  imageFiles_ = buildImageList(program_.settings.folders());
  if (!imageFiles_.empty() || program_.samplesFolder.empty()) return;
  imageFiles_ = buildImageList({program_.samplesFolder});
  Trace& trace = program_.trace;
  if (trace.on()) trace.traceLine(traceSite("Scenewnd", __LINE__, " : samplesFolder = ") + program_.samplesFolder);
}

std::string CSceneWnd::nextImageFile() {
  RegSettings& settings = program_.settings;
  std::int32_t next = settings.imageNext();
  const std::string path = chooseNextImage(imageFiles_, settings.imageOrder(), next, program_.random);
  if (next != settings.imageNext()) {
    settings.setImageNext(next);
    settings.saveImagePosition();
  }
  return path;
}

Rect CSceneWnd::randomMonitor() {
  if (monitors_.empty()) return {0, 0, width_, height_};
  const int i = program_.random.below(static_cast<int>(monitors_.size()));
  return i >= 0 && i < static_cast<int>(monitors_.size()) ? monitors_[i] : monitors_[0];
}

Surface* CSceneWnd::scratchSurface() {
  if (!scratch_ && !scratchTried_) {
    scratchTried_ = true;
    try {
      scratch_ = std::make_unique<Surface>(width_, height_);
    } catch (const std::bad_alloc&) {
      scratch_.reset();
    }
  }
  return scratch_.get();
}

void CSceneWnd::writeSnapshot() {
  const Image shot(surface());
  // The snapshot is a convenience written after every operation: a failed
  // write is simply tried again next time, with nobody to tell in between.
  if (shot.loaded()) static_cast<void>(shot.Save(program_.settings.bitmapFilename()));
}

void CSceneWnd::onDestroy() {
  if (currentOperation_) currentOperation_->requestStop(true);
  if (crawler_) crawler_->Stop();
  crawler_.reset();
  scratch_.reset();
  created_ = false;
}

void CSceneWnd::logHeader() {
  OperationLog* log = program_.operationLog;
  if (log == nullptr) return;
  std::vector<std::string> colours;
  for (int k = 0; k < palette_.size(); ++k) {
    const std::uint32_t ref = palette_.entryValue(k);
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02x%02x%02x", ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
    colours.emplace_back(hex);
  }
  JsonLine line;
  line.add("seed", program_.random.seedValue()).add("width", width_).add("height", height_);
  log->write(line.addStrings("palette", colours));
}

void CSceneWnd::logOperation(Operation& op) {
  op.setNumber(operationCount_);
  OperationLog* log = program_.operationLog;
  if (log == nullptr) return;
  JsonLine line;
  line.add("op", static_cast<std::int64_t>(operationCount_)).add("kind", op.kindName()).add("seed", op.randomSeed());
  op.describe(line);
  log->write(line);
}

}  // namespace warpix

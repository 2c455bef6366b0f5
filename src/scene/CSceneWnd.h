#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Surface.h"
#include "scene/ScenePalette.h"
#include "scene/teTimer.h"

namespace warpix {

class EventSource;
class ScreenBackend;
class WebPage;
class Operation;
struct OperationCatalog;
struct Program;

// The window the saver draws on, and the engine of the whole program: every
// paint runs one step of the current operation and asks for the next paint;
// when an operation is finished the scene optionally writes a snapshot and
// chooses the next one by the user's frequency settings.
class CSceneWnd {
 public:
  // Called after an operation has finished (and its snapshot, if any, is
  // written), with its number counted from 1 and the screen as it stands.
  // Answering false ends the paint chain there, before the next operation
  // is chosen.
  using FinishedHook = std::function<bool(std::uint32_t number, const Surface& screen)>;

  CSceneWnd(Program& program, ScreenBackend& screen, const OperationCatalog& operations);
  virtual ~CSceneWnd();
  CSceneWnd(const CSceneWnd&) = delete;
  CSceneWnd& operator=(const CSceneWnd&) = delete;

  // Palette, choice tables; false when the scene cannot be made.
  bool onCreate();
  void onSize(int width, int height);
  // One paint step. True when the step asked for another paint.
  bool onPaint();
  void onDestroy();
  bool invalidated() const { return invalidated_; }
  void invalidate() { invalidated_ = true; }

  // For the operations.
  Program& program() { return program_; }
  Surface& surface();
  // Shows the changed rows of the surface, at most once per display refresh.
  void present();
  Surface* scratchSurface();
  EventSource& events();
  int width() const { return width_; }
  int height() const { return height_; }
  int paletteSize() const { return paletteSize_; }
  bool trueColour() const { return trueColour_; }
  bool paletteAnimation() const { return paletteAnimation_; }
  int verticalDpi() const;
  const ScenePalette& palette() const { return palette_; }
  teTimer& delayTimer() { return delayTimer_; }
  const std::vector<Rect>& monitors() const { return monitors_; }
  Rect randomMonitor();
  std::string nextImageFile();
  std::int32_t& placementCounter() { return placementCounter_; }
  std::uint32_t operationCount() const { return operationCount_; }
  std::int64_t startTime() const { return startTime_; }
  const std::vector<std::string>& imageFiles() const { return imageFiles_; }
  // The web crawler, or none when the web is not to be used.
  WebPage* crawler() const { return crawler_.get(); }

  // The one running operation, or none; the scene replaces it and deletes
  // the last one when it goes.
  Operation* currentOperation() const { return currentOperation_.get(); }
  void setCurrentOperation(std::unique_ptr<Operation> op);

  void setFinishedHook(FinishedHook hook) { finishedHook_ = std::move(hook); }

 private:
  std::unique_ptr<Operation> nextOperation();
  void buildImageFiles();
  void writeSnapshot();
  void logOperation(Operation& op);
  void logHeader();
  void createCrawler();

  Program& program_;
  ScreenBackend& screen_;
  const OperationCatalog& operations_;
  std::vector<Rect> monitors_;
  teTimer delayTimer_;
  std::unique_ptr<Surface> scratch_;
  bool scratchTried_ = false;
  int paletteSize_ = ScenePalette::kFullSize;
  ScenePalette palette_;
  std::uint32_t operationCount_ = 0;
  std::int32_t placementCounter_ = 0;
  int width_ = 800;
  int height_ = 600;
  bool trueColour_ = true;
  bool paletteAnimation_ = false;
  std::int64_t startTime_ = 0;
  std::vector<std::string> imageFiles_;
  bool invalidated_ = true;
  bool created_ = false;
  FinishedHook finishedHook_;
  std::unique_ptr<WebPage> crawler_;
  // Last, so it goes first: an operation may still look at the scene.
  std::unique_ptr<Operation> currentOperation_;
};

}  // namespace warpix

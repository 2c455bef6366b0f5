#include "app/HeadlessRender.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "effects/OperationKinds.h"
#include "platform/headless/HeadlessScreen.h"
#include "raster/Image.h"
#include "scene/CSceneWnd.h"
#include "scene/Operation.h"
#include "scene/Program.h"

namespace warpix {

std::string HeadlessRender::framePath(const std::string& directory, unsigned number) {
  char name[32];
  std::snprintf(name, sizeof name, "%04u.bmp", number);
  return (std::filesystem::path(directory) / name).string();
}

bool HeadlessRender::fail(std::string problem) {
  problem_ = std::move(problem);
  failed_ = true;
  return false;
}

bool HeadlessRender::writeFrame(const Surface& shot, const std::string& path) {
  const Image image(shot);
  if (!image.loaded()) return fail("cannot write " + path + " (the picture does not fit in memory)");
  if (!image.Save(path)) return fail("cannot write " + path + " (" + std::strerror(errno) + ")");
  return true;
}

int HeadlessRender::run(std::ostream& progress) {
  // Every frame is captured whole before it is written; a size beyond what a
  // picture may hold could never be written, so say so before drawing.
  const auto pixels = static_cast<std::uint64_t>(options_.width) * static_cast<std::uint64_t>(options_.height);
  if (pixels > kMaxDecodedPixels) {
    fail("cannot write pictures of " + std::to_string(options_.width) + "x" + std::to_string(options_.height) +
         " (at most " + std::to_string(kMaxDecodedPixels) + " pixels)");
    return 0;
  }
  std::error_code ec;
  std::filesystem::create_directories(options_.directory, ec);
  if (!std::filesystem::is_directory(options_.directory, ec)) {
    fail("cannot create the folder " + options_.directory);
    return 0;
  }
  HeadlessScreen screen(options_.width, options_.height, options_.monitors);
  program_.waitForFetches = true;
  CSceneWnd scene(program_, screen, operationCatalog());
  if (!scene.onCreate()) {
    fail("the scene could not be created");
    return 0;
  }
  int written = 0;
  scene.setFinishedHook([&](std::uint32_t number, const Surface& shot) {
    const std::string path = framePath(options_.directory, number);
    if (!writeFrame(shot, path)) return false;
    const Operation* op = scene.currentOperation();
    progress << "operation " << number << " " << (op != nullptr ? op->kindName() : "?") << " -> " << path << '\n';
    return ++written < options_.operations;
  });
  // Paint until the wanted number of operations has finished. A scene that
  // stops asking for paints (the screen was blanked) ends the render.
  while (scene.onPaint()) {
  }
  if (!failed_ && written < options_.operations) {
    problem_ = "the scene stopped painting (the screen was blanked)";
    failed_ = written == 0;
  }
  scene.onDestroy();
  return written;
}

}  // namespace warpix

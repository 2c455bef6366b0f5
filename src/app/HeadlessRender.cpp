#include "app/HeadlessRender.h"

#include <cstdio>
#include <filesystem>
#include <ostream>

#include "effects/OperationKinds.h"
#include "platform/headless/HeadlessScreen.h"
#include "raster/Image.h"
#include "scene/CSceneWnd.h"
#include "scene/Program.h"
#include "scene/Operation.h"

namespace warpix {

std::string HeadlessRender::framePath(const std::string& directory, unsigned number) {
  char name[32];
  std::snprintf(name, sizeof name, "%04u.bmp", number);
  return (std::filesystem::path(directory) / name).string();
}

int HeadlessRender::run(std::ostream& progress) {
  std::error_code ec;
  std::filesystem::create_directories(options_.directory, ec);
  if (!std::filesystem::is_directory(options_.directory, ec)) {
    problem_ = "cannot create the folder " + options_.directory;
    return 0;
  }
  HeadlessScreen screen(options_.width, options_.height, options_.monitors);
  CSceneWnd scene(program_, screen, operationCatalog());
  if (!scene.onCreate()) {
    problem_ = "the scene could not be created";
    return 0;
  }
  int written = 0;
  scene.setFinishedHook([&](std::uint32_t number, const Surface& shot) {
    const std::string path = framePath(options_.directory, number);
    const Image image(shot);
    image.Save(path);
    const Operation* op = scene.currentOperation();
    progress << "operation " << number << " " << (op != nullptr ? op->kindName() : "?") << " -> " << path << '\n';
    return ++written < options_.operations;
  });
  // Paint until the wanted number of operations has finished. A scene that
  // stops asking for paints (the screen was blanked) ends the render.
  while (scene.onPaint()) {
  }
  if (written < options_.operations) problem_ = "the scene stopped painting (the screen was blanked)";
  scene.onDestroy();
  return written;
}

}  // namespace warpix

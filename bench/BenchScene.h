#pragma once

// A whole scene on a memory screen with virtual time, for benchmarks: the
// sleeps of pacing cost nothing, so what is measured is the work.
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/Trace.h"
#include "effects/OperationKinds.h"
#include "platform/Shell.h"
#include "platform/headless/HeadlessScreen.h"
#include "platform/headless/VirtualClock.h"
#include "platform/linux/KeyFileStore.h"
#include "scene/CSceneWnd.h"
#include "scene/Program.h"
#include "settings/RegSettings.h"

namespace warpix::bench {

class NoShell final : public Shell {
 public:
  std::string picturesFolder() const override { return {}; }
  std::string documentsFolder() const override { return {}; }
  std::string realName() const override { return {}; }
  bool open(const std::string&) override { return false; }
};

inline std::string makeTempFolder() {
  std::string dir = (std::filesystem::temp_directory_path() / "warpix-bench-XXXXXX").string();
  return mkdtemp(dir.data()) != nullptr ? dir : std::string();
}

struct BenchScene {
  BenchScene(int width, int height)
      : folder(makeTempFolder()), store(folder + "/config"), settings(store, shell), trace(clock),
        screen(width, height) {
    settings.load(false);
    settings.setFolders({});
  }
  ~BenchScene() {
    scene.reset();
    program.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  CSceneWnd& create(std::int32_t seed = 42) {
    program = std::make_unique<Program>(settings, clock, trace, seed);
    scene = std::make_unique<CSceneWnd>(*program, screen, operationCatalog());
    scene->onCreate();
    return *scene;
  }

  std::string folder;
  NoShell shell;
  KeyFileStore store;
  RegSettings settings;
  VirtualClock clock;
  Trace trace;
  HeadlessScreen screen;
  std::unique_ptr<Program> program;
  std::unique_ptr<CSceneWnd> scene;
};

}  // namespace warpix::bench

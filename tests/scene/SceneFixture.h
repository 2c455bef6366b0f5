#pragma once

#include <memory>
#include <string>
#include <utility>

#include "app/Trace.h"
#include "effects/OperationKinds.h"
#include "platform/TempFolder.h"
#include "platform/headless/HeadlessScreen.h"
#include "platform/headless/VirtualClock.h"
#include "platform/linux/KeyFileStore.h"
#include "scene/CSceneWnd.h"
#include "scene/Program.h"
#include "settings/FakeShell.h"
#include "settings/RegSettings.h"

namespace warpix::testing {

// A whole scene on a memory screen with virtual time and settings in a
// temporary folder; tests change the settings before calling create().
struct SceneFixture {
  explicit SceneFixture(int width = 320, int height = 240, int monitors = 1, int bits = 32)
      : store(folder.str() + "/config"), settings(store, shell), trace(clock),
        screen(width, height, monitors, bits) {
    settings.load(false);
    settings.setFolders({});
  }

  CSceneWnd& create(std::int32_t seed = 42) {
    CSceneWnd& s = make<CSceneWnd>(seed);
    s.onCreate();
    return s;
  }

  // The program and a window of class Window (a CSceneWnd), not yet created.
  template <class Window, class... Extra>
  Window& make(std::int32_t seed, Extra&&... extra) {
    program = std::make_unique<Program>(settings, clock, trace, seed);
    auto window = std::make_unique<Window>(*program, screen, operationCatalog(), std::forward<Extra>(extra)...);
    Window& ref = *window;
    scene = std::move(window);
    return ref;
  }

  // Paints until `count` operations have been created or the scene stops.
  void paintUntilOperation(std::uint32_t count, int maxPaints = 100000) {
    for (int i = 0; i < maxPaints && scene->operationCount() < count; ++i)
      if (!scene->onPaint()) return;
  }

  TempFolder folder;
  FakeShell shell;
  KeyFileStore store;
  RegSettings settings;
  VirtualClock clock;
  Trace trace;
  HeadlessScreen screen;
  std::unique_ptr<Program> program;
  std::unique_ptr<CSceneWnd> scene;
};

}  // namespace warpix::testing

// Render speed: whole operations per second of the scene on a memory
// screen with virtual time, as `warpix --render` runs it.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/Program.h"
#include "app/Trace.h"
#include "platform/Shell.h"
#include "platform/headless/HeadlessScreen.h"
#include "platform/headless/VirtualClock.h"
#include "platform/linux/KeyFileStore.h"
#include "raster/Image.h"
#include "scene/CSceneWnd.h"
#include "settings/RegSettings.h"

namespace {

using namespace warpix;

class NoShell final : public Shell {
 public:
  std::string picturesFolder() const override { return {}; }
  std::string documentsFolder() const override { return {}; }
  std::string realName() const override { return {}; }
  bool open(const std::string&) override { return false; }
};

// A folder of photos half the screen's size, made here.
std::string makePhotos(int width, int height) {
  std::string dir = (std::filesystem::temp_directory_path() / "warpix-bench-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) return {};
  for (int i = 0; i < 4; ++i) {
    Surface s(width / 2, height / 2);
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x) s.setPixel(x, y, makePixel(x * (i + 1), y * 3, (x ^ y) + i * 40));
    Image(s).Save(dir + "/photo" + std::to_string(i) + ".bmp");
  }
  return dir;
}

void BM_Render(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const std::string photos = makePhotos(width, height);
  NoShell shell;
  KeyFileStore store(photos + "/config");
  RegSettings settings(store, shell);
  settings.load(false);
  settings.setFolders({photos});
  settings.setImagePeriod(0);
  VirtualClock clock;
  Trace trace(clock);
  Program program(settings, clock, trace, 42);
  HeadlessScreen screen(width, height);
  CSceneWnd scene(program, screen);
  scene.monitors() = screen.monitors();
  scene.onCreate();
  std::int64_t operations = 0;
  for (auto _ : state) {
    const std::uint32_t target = scene.operationCount() + 1;
    while (scene.operationCount() < target && scene.onPaint()) {
    }
    ++operations;
  }
  state.counters["ops_per_s"] = benchmark::Counter(static_cast<double>(operations), benchmark::Counter::kIsRate);
  state.counters["virtual_s_per_op"] = static_cast<double>(clock.peekMs()) / 1000.0 / static_cast<double>(operations);
  std::filesystem::remove_all(photos);
}
BENCHMARK(BM_Render)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();

// Render speed: whole operations per second of the scene on a memory
// screen with virtual time, as `warpix --render` runs it.
#include <benchmark/benchmark.h>

#include "BenchScene.h"
#include "raster/Image.h"

namespace {

using namespace warpix;

// Photos half the screen's size, made here; false when one cannot be written.
bool makePhotos(const std::string& dir, int width, int height) {
  for (int i = 0; i < 4; ++i) {
    Surface s(width / 2, height / 2);
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x) s.setPixel(x, y, makePixel(x * (i + 1), y * 3, (x ^ y) + i * 40));
    if (!Image(s).Save(dir + "/photo" + std::to_string(i) + ".bmp")) return false;
  }
  return true;
}

void BM_Render(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  bench::BenchScene b(width, height);
  if (!makePhotos(b.folder, width, height)) {
    state.SkipWithError("the photos could not be written");
    return;
  }
  b.settings.setFolders({b.folder});
  b.settings.setImagePeriod(0);
  CSceneWnd& scene = b.create();
  std::int64_t operations = 0;
  for (auto _ : state) {
    const std::uint32_t target = scene.operationCount() + 1;
    while (scene.operationCount() < target && scene.onPaint()) {
    }
    ++operations;
  }
  state.counters["ops_per_s"] = benchmark::Counter(static_cast<double>(operations), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Render)->Args({640, 480})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();

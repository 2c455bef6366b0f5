// Strokes per second of a repaint pass at 1920 x 1080 with pacing's sleeps
// taken out (virtual time), for each brush shape.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchScene.h"
#include "effects/Repaint.h"

namespace {

using namespace warpix;

void paintPhotoLike(Surface& screen) {
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x)
      screen.setPixel(x, y, makePixel((x / 3 + y / 5) & 0xFF, (y / 2) & 0xFF, (255 - x / 8) & 0xFF));
}

// range(0): 1 = bundles of lines, 0 = single lines. Passes of the other
// shape are skipped, untimed.
void BM_RepaintStrokes(benchmark::State& state) {
  const std::string wanted = state.range(0) != 0 ? "DotRotateMultiLine" : "DotRotateLine";
  bench::BenchScene b(1920, 1080);
  CSceneWnd& scene = b.create(11);
  paintPhotoLike(b.screen.surface());
  std::int64_t strokes = 0;
  std::int64_t area = 0, passes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<Repaint> r = std::make_unique<Repaint>(scene);
    while (r->brush().name() != wanted) r = std::make_unique<Repaint>(scene);
    const std::int64_t count = r->strokesLeft() - 1;
    area += r->brush().area();
    ++passes;
    state.ResumeTiming();
    while (!r->isFinished()) r->run();
    strokes += count;
  }
  state.counters["strokes_per_s"] = benchmark::Counter(static_cast<double>(strokes), benchmark::Counter::kIsRate);
  state.counters["mean_area"] = static_cast<double>(area) / static_cast<double>(passes);
}
BENCHMARK(BM_RepaintStrokes)->Arg(0)->Arg(1)->ArgName("multi")->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();

// Nanoseconds per pixel of a whole distortion pass at 1920 x 1080, copying
// and blending, with pacing's sleeps taken out (virtual time).
#include <benchmark/benchmark.h>

#include "BenchScene.h"
#include "effects/Distort.h"

namespace {

using namespace warpix;

// range(0): blend or copy; range(1): 1 = only the left-right mirror, the
// cheapest mapping, which shows what the pass itself costs.
void BM_DistortPass(benchmark::State& state) {
  const bool blend = state.range(0) != 0;
  bench::BenchScene b(1920, 1080);
  b.settings.setUseTransparency(blend ? 100 : 0);
  if (state.range(1) != 0) {
    for (auto set : {&RegSettings::setStyleFuzzy, &RegSettings::setStyleSwirl, &RegSettings::setStyleWavy,
                     &RegSettings::setStyleDistort, &RegSettings::setStyleFlipTB})
      (b.settings.*set)(0);
  }
  CSceneWnd& scene = b.create(7);
  Surface& screen = b.screen.surface();
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) screen.setPixel(x, y, makePixel(x, y, x ^ y));
  std::int64_t pixels = 0;
  std::string names;
  for (auto _ : state) {
    state.PauseTiming();
    Distort d(scene);
    if (names.size() < 120) names += std::string(d.distortion().name() + 6) + " ";
    state.ResumeTiming();
    while (!d.isFinished()) d.run();
    pixels += static_cast<std::int64_t>(screen.width()) * screen.height();
  }
  // Seconds per (pixel / 1e9): nanoseconds per pixel.
  state.counters["ns_per_pixel"] =
      benchmark::Counter(static_cast<double>(pixels) / 1e9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetLabel(names);
}
BENCHMARK(BM_DistortPass)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->ArgNames({"blend", "mirror"})->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();

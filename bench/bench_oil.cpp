// Nanoseconds per pixel of a whole brush-stroke pass at 1920 x 1080 (the
// snapshot and the filter), with pacing's sleeps taken out (virtual time),
// on a photograph-like picture: smooth gradients with a little noise.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "BenchScene.h"
#include "effects/Oil.h"
#include "effects/OilBlend.h"
#include "effects/OilFreq.h"
#include "effects/OilSharpen.h"

namespace {

using namespace warpix;

void paintPhotoLike(Surface& screen) {
  std::mt19937 rng(1);
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) {
      const int n = static_cast<int>(rng() % 5) - 2;
      screen.setPixel(x, y, makePixel(x * 255 / screen.width() + n, y * 255 / screen.height() + n, (x + y) / 12 + n));
    }
}

// A grainier photograph: each channel with noise of its own, so that hardly
// a colour repeats, as in most real photographs.
void paintGrainy(Surface& screen) {
  std::mt19937 rng(1);
  const auto grain = [&] { return static_cast<int>(rng() % 17) - 8; };
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) {
      const int r = grain(), g = grain(), b = grain();
      screen.setPixel(x, y, makePixel(x * 255 / screen.width() + r, y * 255 / screen.height() + g, (x + y) / 12 + b));
    }
}

// Constructs operations of kind T until one has `radius` (0: any), then
// times its whole pass.
template <class T, void (*paint)(Surface&) = paintPhotoLike>
void BM_OilPass(benchmark::State& state) {
  const int radius = static_cast<int>(state.range(0));
  bench::BenchScene b(1920, 1080);
  CSceneWnd& scene = b.create(7);
  Surface& screen = b.screen.surface();
  std::int64_t pixels = 0;
  std::string label;
  for (auto _ : state) {
    state.PauseTiming();
    paint(screen);
    std::unique_ptr<T> op = std::make_unique<T>(scene);
    while (radius != 0 && op->radius() != radius) op = std::make_unique<T>(scene);
    if (label.size() < 100) label += std::string(op->order().name() + 9) + " ";
    state.ResumeTiming();
    while (!op->isFinished()) op->run();
    pixels += static_cast<std::int64_t>(screen.width()) * screen.height();
  }
  state.counters["ns_per_pixel"] =
      benchmark::Counter(static_cast<double>(pixels) / 1e9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetLabel(label);
}

BENCHMARK_TEMPLATE(BM_OilPass, Oil)->Arg(1)->Arg(2)->Arg(3)->ArgName("radius")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_TEMPLATE(BM_OilPass, OilSharpen)->Arg(1)->ArgName("radius")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_TEMPLATE(BM_OilPass, OilBlend)->Arg(0)->ArgName("radius")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_TEMPLATE(BM_OilPass, OilFreq)->Arg(1)->Arg(2)->Arg(3)->ArgName("radius")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_TEMPLATE(BM_OilPass, OilFreq, paintGrainy)->Arg(1)->Arg(2)->Arg(3)->ArgName("radius")->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();

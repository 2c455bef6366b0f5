// Nanoseconds per pixel of the canvas texture at 1920 x 1080 with pacing's
// sleeps taken out (virtual time): the whole pass, and the shading of the
// screen alone next to the colour model's own round trip.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "BenchScene.h"
#include "effects/Canvas.h"
#include "effects/CanvasShade.h"
#include "raster/ColorHSL.h"

namespace {

using namespace warpix;

// Smooth gradients with fine grain, like a photograph's sky and foliage.
void paintPhotoLike(Surface& screen) {
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) {
      const int grain = static_cast<int>((x * 7919u + y * 104729u) % 23u) - 11;
      const double t = static_cast<double>(y) / screen.height();
      const int r = static_cast<int>(90 + 100 * t + 40 * std::sin(x * 0.01)) + grain;
      const int g = static_cast<int>(120 + 60 * std::cos(x * 0.004 + y * 0.006)) + grain;
      const int b = static_cast<int>(200 - 150 * t) + grain / 2;
      screen.setPixel(x, y, makePixel(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255)));
    }
}

void perPixel(benchmark::State& state, std::int64_t pixels) {
  state.counters["ns_per_pixel"] =
      benchmark::Counter(static_cast<double>(pixels) / 1e9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// range(0): 0 = the whole pass, texture included; 1 = only the shading of
// the screen, the texture being built untimed.
void BM_CanvasPass(benchmark::State& state) {
  const bool applyingOnly = state.range(0) != 0;
  bench::BenchScene b(1920, 1080);
  CSceneWnd& scene = b.create(7);
  // The step and each phase look at the input queue once, every texture
  // cell once, the end of each texture phase once more.
  constexpr int kChecksBeforeShading = 2 * 1921 * 1081 + 6;
  std::int64_t pixels = 0;
  for (auto _ : state) {
    // Each pass over the photograph itself: passes over passes would make
    // the picture ever noisier, which no screen ever shows.
    state.PauseTiming();
    paintPhotoLike(b.screen.surface());
    state.ResumeTiming();
    Canvas c(scene);
    if (applyingOnly) {
      state.PauseTiming();
      b.screen.pushEventAfterChecks(kChecksBeforeShading, {ScreenBackend::InputEvent::Kind::Key});
      c.run();
      if (c.phase() != Canvas::kApplying) state.SkipWithError("the texture was not built in one step");
      b.screen.nextEvent();
      state.ResumeTiming();
    }
    while (!c.isFinished()) c.run();
    pixels += 1920 * 1080;
  }
  perPixel(state, pixels);
}
BENCHMARK(BM_CanvasPass)->Arg(0)->Arg(1)->ArgName("shadingOnly")->Unit(benchmark::kMillisecond)->MinTime(3.0);

// range(0): 1 = the inlined shade the operation uses, 0 = ColorHSL.
void BM_CanvasShade(benchmark::State& state) {
  Surface screen(1920, 1080);
  paintPhotoLike(screen);
  const bool inlined = state.range(0) != 0;
  std::int64_t pixels = 0;
  for (auto _ : state) {
    Pixel* p = screen.pixelsUnmarked();
    for (int i = 0; i < 1920 * 1080; ++i) {
      const int offset = (i * 31 % 61) - 30;
      if (inlined) {
        p[i] = shadeLightness(p[i], offset);
      } else {
        ColorHSL hsl(ColorRGB::fromScreen(colorRefFromPixel(p[i]), true));
        hsl.setLightness(std::clamp(hsl.lightness() + static_cast<float>(offset) / 255.0f, 0.0f, 1.0f));
        p[i] = pixelFromColorRef(hsl.toRGB(true).value());
      }
    }
    benchmark::DoNotOptimize(p);
    pixels += 1920 * 1080;
  }
  perPixel(state, pixels);
}
BENCHMARK(BM_CanvasShade)->Arg(1)->Arg(0)->ArgName("inlined")->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();

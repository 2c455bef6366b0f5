// Cost of one distortion pass: map() for every pixel of a 1920 x 1080
// screen, walked in the top-to-bottom visiting order. The counter px_time is
// the time per pixel (goal: 30 ns or less for every distortion). Each
// distortion runs with two seeds, since the parameters change the work:
// seed 36 draws a single grid cell, so the lens covers most of the screen.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "app/Random.h"
#include "effects/NextPointTB.h"
#include "effects/WarpixKinds.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

void BM_WarpixPass(benchmark::State& state) {
  const int index = static_cast<int>(state.range(0));
  std::int64_t sum = 0;
  for (auto _ : state) {
    // A fresh distortion per pass, as the operation makes one per pass (and
    // so that nothing one pass remembers speeds up the next).
    state.PauseTiming();
    warpix::Random random(static_cast<std::int32_t>(state.range(1)));
    auto warp = warpix::createWarpix(index, random, kWidth, kHeight);
    state.SetLabel(warp->name());
    warpix::NextPointTB order(random, kWidth, kHeight);
    state.ResumeTiming();
    int x = 0, y = 0, sx = 0, sy = 0;
    do {
      warp->map(x, y, sx, sy);
      sum += sx + sy;
    } while (!order.next(x, y));
    benchmark::DoNotOptimize(sum);
  }
  const double pixels = static_cast<double>(kWidth) * kHeight;
  state.counters["px_time"] =
      benchmark::Counter(pixels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_WarpixPass)
    ->ArgsProduct({benchmark::CreateDenseRange(0, warpix::kWarpixCount - 1, 1), {12345, 36}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

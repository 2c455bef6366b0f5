// One text operation at 1920 x 1080, from construction to the drawn line:
// font lookup, measuring and drawing dominate. range(0): 0 = the date and
// time in the classic faces, 1 = a message that needs fallback fonts
// (Arabic, Chinese, Devanagari and colour emoji).
#include <benchmark/benchmark.h>

#include "BenchScene.h"
#include "effects/Text.h"

namespace {

using namespace warpix;

void BM_TextOperation(benchmark::State& state) {
  const bool otherScripts = state.range(0) != 0;
  bench::BenchScene b(1920, 1080);
  b.settings.setTextDateTime(otherScripts ? 0 : 100);
  b.settings.setTextMessages(otherScripts ? 100 : 0);
  for (int i = 0; i < RegSettings::kMessageCount; ++i) b.settings.setMessage(i, "");
  b.settings.setMessage(0, "\u0645\u0631\u062D\u0628\u0627 \u4F60\u597D \u0928\u092E\u0938\u094D\u0924\u0947 "
                           "\xF0\x9F\x8C\x85\xF0\x9F\x93\xB7");
  CSceneWnd& scene = b.create(7);
  Surface& screen = b.screen.surface();
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) screen.setPixel(x, y, makePixel(x, y, x ^ y));
  for (auto _ : state) {
    Text t(scene);
    t.run();
    benchmark::DoNotOptimize(t.drawing().drawn);
  }
}
BENCHMARK(BM_TextOperation)->Arg(0)->Arg(1)->ArgNames({"otherScripts"})->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();

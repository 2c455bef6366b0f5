// Drawing costs of the surface at a full-HD screen size.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/Font.h"
#include "platform/Surface.h"

namespace {

using warpix::Pixel;
using warpix::Point;
using warpix::Surface;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A packed 24-bit DIB of w x h with a varied pattern.
std::vector<std::uint8_t> makeDib24(int w, int h) {
  const std::size_t rowBytes = ((static_cast<std::size_t>(w) * 24 + 31) / 32) * 4;
  std::vector<std::uint8_t> block(40 + rowBytes * h, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) block[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put32(0, 40);
  put32(4, static_cast<std::uint32_t>(w));
  put32(8, static_cast<std::uint32_t>(h));
  block[12] = 1;
  block[14] = 24;
  put32(20, static_cast<std::uint32_t>(rowBytes * h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = block.data() + 40 + y * rowBytes + 3 * x;
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = static_cast<std::uint8_t>(x ^ y);
    }
  return block;
}

void BM_DrawDib24FullHD(benchmark::State& state) {
  const auto dib = makeDib24(kWidth, kHeight);
  Surface s(kWidth, kHeight);
  for (auto _ : state) {
    s.drawDib(0, 0, dib.data(), dib.data() + 40);
    benchmark::DoNotOptimize(s.data());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_DrawDib24FullHD)->Unit(benchmark::kMillisecond);

void BM_StretchDib24Double(benchmark::State& state) {
  // A 960 x 540 picture doubled onto the whole screen.
  const auto dib = makeDib24(kWidth / 2, kHeight / 2);
  Surface s(kWidth, kHeight);
  for (auto _ : state) {
    s.stretchDib(0, 0, kWidth, kHeight, dib.data(), dib.data() + 40);
    benchmark::DoNotOptimize(s.data());
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_StretchDib24Double)->Unit(benchmark::kMillisecond);

// The photo frame: a closed outline with a 4-pixel pen.
void BM_PolylineFrame(benchmark::State& state) {
  Surface s(kWidth, kHeight);
  const std::vector<Point> frame{{318, 178}, {1602, 178}, {1602, 902}, {318, 902}};
  for (auto _ : state) s.polyline(frame, 0xFF8000, 4, true);
}
BENCHMARK(BM_PolylineFrame)->Unit(benchmark::kMicrosecond);

// Brush marks: many short lines of pen widths 1 to 16.
void BM_ShortStrokes(benchmark::State& state) {
  Surface s(kWidth, kHeight);
  const int pen = static_cast<int>(state.range(0));
  int i = 0;
  for (auto _ : state) {
    const int x = (i * 97) % kWidth, y = (i * 57) % kHeight;
    s.line({x, y}, {x + 9, y + 5}, static_cast<Pixel>(i * 2654435761u) & 0xFFFFFF, pen);
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ShortStrokes)->Arg(1)->Arg(4)->Arg(16);

void BM_DrawText48(benchmark::State& state) {
  Surface s(kWidth, kHeight);
  const warpix::Font f("Times New Roman", -48, 700, true);
  for (auto _ : state) s.drawText(f, 100, 100, "7 Dec 8:05", 0xFFFFFF);
}
BENCHMARK(BM_DrawText48)->Unit(benchmark::kMicrosecond);

void BM_CreateFontAndMeasure(benchmark::State& state) {
  for (auto _ : state) {
    const warpix::Font f("Arial", -30, 400, false);
    benchmark::DoNotOptimize(f.measure("Photo Warpix").width);
  }
}
BENCHMARK(BM_CreateFontAndMeasure)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

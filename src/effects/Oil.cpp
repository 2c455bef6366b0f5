#include "effects/Oil.h"

#include <algorithm>
#include <array>


namespace warpix {

namespace {
// Division by a window's pixel count as a multiplication: with 2^32 / n
// rounded up, a sum below 2^15 divides exactly (the error stays below 1/n).
constexpr std::uint32_t kMostPixels = 9 * 9;
constexpr auto kReciprocals = [] {
  std::array<std::uint64_t, kMostPixels + 1> r{};
  for (std::uint64_t n = 1; n <= kMostPixels; ++n) r[n] = ((std::uint64_t{1} << 32) + n - 1) / n;
  return r;
}();

Pixel average(const BoxFilter::Sums& s, Pixel) {
  if (s.count > kMostPixels) return makePixel(static_cast<int>(s.red / s.count), static_cast<int>(s.green / s.count),
                                              static_cast<int>(s.blue / s.count));
  const std::uint64_t m = kReciprocals[s.count];
  return static_cast<Pixel>(((s.red * m) >> 32) << 16 | ((s.green * m) >> 32) << 8 | ((s.blue * m) >> 32));
}

}  // namespace

Oil::Oil(CSceneWnd& scene_) : OilPass(scene_, drawOilRadius) {}

Oil::~Oil() = default;

// A lambda, not the function's address, so the rule is inlined per pixel.
bool Oil::copySnapshotRow() {
  return snapshot_.copyRow(scene->surface(), [](const BoxFilter::Sums& s, Pixel c) { return average(s, c); });
}

}  // namespace warpix

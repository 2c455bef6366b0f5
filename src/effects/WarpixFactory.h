#pragma once

#include <memory>

#include "effects/Warpix.h"

namespace warpix {

class Random;

// The distortions by index, in the order of the distortion choice table:
// 0 Blend, 1 Whirlpool, 2 SinX, 3 SinY, 4 SinX1, 5 SinY1, 6 Stretch, 7 FlipLR,
// 8 FlipTB, 9 RadialStretch, 10 RadialBlend, 11 Glassy, 12 Swap, 13 Bulb,
// 14 RadialWave, 15 Shatter, 16 Lens, 17 TileShrinker.
inline constexpr int kWarpixCount = 18;

// Creates distortion `index`, which draws its parameters from `random` at
// once; null for an unknown index.
std::unique_ptr<Warpix> createWarpix(int index, Random& random, int width, int height);

}  // namespace warpix

#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "effects/Warpix.h"

namespace warpix {

class Random;
class RegSettings;

// One distortion of the distortion choice table: its class name, how it is
// made, and its weight: the style setting it belongs to times a fraction.
struct WarpixKind {
  using Create = std::unique_ptr<Warpix> (*)(Random& random, int width, int height);
  using Style = std::int32_t (RegSettings::*)() const;

  const char* name;
  Create create;
  Style style;
  double fraction;
};

// The distortions in table order; the table's index is the one the
// distortion choice table draws.
std::span<const WarpixKind> warpixKinds();
inline constexpr int kWarpixCount = 18;

// Creates distortion `index`, which draws its parameters from `random` at
// once; null for an unknown index.
std::unique_ptr<Warpix> createWarpix(int index, Random& random, int width, int height);

// The weights of the distortion choice table, in table order.
std::vector<std::int32_t> distortionWeights(const RegSettings& settings);

}  // namespace warpix

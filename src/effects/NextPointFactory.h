#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "effects/NextPoint.h"

namespace warpix {

class ChoiceTable;
class Random;

// The visiting orders by index: 0 TB, 1 BT, 2 LR, 3 RL, 4 InsideOut,
// 5 OutsideIn; their fixed weights for the visiting-order choice table.
inline constexpr int kNextPointCount = 6;
inline constexpr std::array<std::int32_t, kNextPointCount> kNextPointWeights{40, 20, 40, 40, 100, 80};

// Creates the visiting order numbered `index`; null for an unknown index.
std::unique_ptr<NextPoint> createNextPoint(int index, Random& random, int width, int height);

// Picks an order from `table` with `random` (no exclusions) and creates it
// with the same generator.
std::unique_ptr<NextPoint> pickNextPoint(const ChoiceTable& table, Random& random, int width, int height);

}  // namespace warpix

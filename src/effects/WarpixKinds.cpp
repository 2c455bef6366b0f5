#include "effects/WarpixKinds.h"

#include <array>

#include "app/ChoiceTable.h"
#include "effects/WarpixBlend.h"
#include "effects/WarpixBulb.h"
#include "effects/WarpixFlipLR.h"
#include "effects/WarpixFlipTB.h"
#include "effects/WarpixGlassy.h"
#include "effects/WarpixLens.h"
#include "effects/WarpixRadialBlend.h"
#include "effects/WarpixRadialStretch.h"
#include "effects/WarpixRadialWave.h"
#include "effects/WarpixShatter.h"
#include "effects/WarpixSinX.h"
#include "effects/WarpixSinX1.h"
#include "effects/WarpixSinY.h"
#include "effects/WarpixSinY1.h"
#include "effects/WarpixStretch.h"
#include "effects/WarpixSwap.h"
#include "effects/WarpixTileShrinker.h"
#include "effects/WarpixWhirlpool.h"
#include "settings/RegSettings.h"

namespace warpix {
namespace {

template <class T>
std::unique_ptr<Warpix> make(Random& random, int width, int height) {
  return std::make_unique<T>(random, width, height);
}

using S = RegSettings;

const std::array<WarpixKind, kWarpixCount> kKinds = {{
    {"WarpixBlend", make<WarpixBlend>, &S::styleFuzzy, 0.5},
    {"WarpixWhirlpool", make<WarpixWhirlpool>, &S::styleSwirl, 0.55},
    {"WarpixSinX", make<WarpixSinX>, &S::styleWavy, 0.3},
    {"WarpixSinY", make<WarpixSinY>, &S::styleWavy, 0.29},
    {"WarpixSinX1", make<WarpixSinX1>, &S::styleWavy, 0.2},
    {"WarpixSinY1", make<WarpixSinY1>, &S::styleWavy, 0.2},
    {"WarpixStretch", make<WarpixStretch>, &S::styleDistort, 0.33},
    {"WarpixFlipLR", make<WarpixFlipLR>, &S::styleFlipLR, 1.0},
    {"WarpixFlipTB", make<WarpixFlipTB>, &S::styleFlipTB, 1.0},
    {"WarpixRadialStretch", make<WarpixRadialStretch>, &S::styleDistort, 0.33},
    {"WarpixRadialBlend", make<WarpixRadialBlend>, &S::styleFuzzy, 0.4},
    {"WarpixGlassy", make<WarpixGlassy>, &S::styleSwirl, 0.15},
    {"WarpixSwap", make<WarpixSwap>, &S::styleFuzzy, 0.1},
    {"WarpixBulb", make<WarpixBulb>, &S::styleWavy, 0.01},
    {"WarpixRadialWave", make<WarpixRadialWave>, &S::styleSwirl, 0.15},
    {"WarpixShatter", make<WarpixShatter>, &S::styleDistort, 0.01},
    {"WarpixLens", make<WarpixLens>, &S::styleDistort, 0.33},
    {"WarpixTileShrinker", make<WarpixTileShrinker>, &S::styleSwirl, 0.15},
}};

}  // namespace

std::span<const WarpixKind> warpixKinds() { return kKinds; }

std::unique_ptr<Warpix> createWarpix(int index, Random& random, int width, int height) {
  if (index < 0 || index >= kWarpixCount) return nullptr;
  return kKinds[static_cast<std::size_t>(index)].create(random, width, height);
}

std::vector<std::int32_t> distortionWeights(const RegSettings& settings) {
  std::vector<std::int32_t> weights;
  weights.reserve(kKinds.size());
  for (const WarpixKind& k : kKinds) weights.push_back(choiceShare((settings.*k.style)(), k.fraction));
  return weights;
}

}  // namespace warpix

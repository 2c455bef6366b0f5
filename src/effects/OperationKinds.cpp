#include "effects/OperationKinds.h"

#include <array>

#include "app/ChoiceTable.h"
#include "effects/Bitmap.h"
#include "effects/Canvas.h"
#include "effects/Distort.h"
#include "effects/Oil.h"
#include "effects/OilBlend.h"
#include "effects/OilFreq.h"
#include "effects/OilSharpen.h"
#include "effects/Repaint.h"
#include "effects/Surf.h"
#include "effects/Text.h"
#include "effects/WarpixKinds.h"
#include "settings/RegSettings.h"

namespace warpix {
namespace {

using K = OperationKind;

template <class T>
std::unique_ptr<Operation> make(CSceneWnd& scene, const OperationKind&) {
  return std::make_unique<T>(scene);
}

std::int32_t blurShare(const RegSettings& s) { return choiceWeight(s.doBlur()) / 3; }

// The fuzzy distortion's part of DoMangle, never more than a quarter of it
// since the fuzzy weight is part of the sum.
std::int32_t oilBlendWeight(const RegSettings& s) {
  const std::int64_t sum = std::int64_t{choiceWeight(s.styleFuzzy())} + choiceWeight(s.styleSwirl()) +
                           choiceWeight(s.styleWavy()) + choiceWeight(s.styleDistort()) +
                           choiceWeight(s.styleFlipLR()) + choiceWeight(s.styleFlipTB());
  if (sum == 0) return 0;
  return static_cast<std::int32_t>(static_cast<double>(choiceWeight(s.doMangle())) * 0.25 * choiceWeight(s.styleFuzzy()) /
                                   static_cast<double>(sum));
}

constexpr unsigned kDeep = K::kDeepColour;

const std::array<OperationKind, 10> kKinds = {{
    {0, "Distort", make<Distort>, [](const RegSettings& s) { return choiceWeight(s.doMangle()); }, 0},
    {6, "Text", make<Text>, [](const RegSettings& s) { return choiceWeight(s.doText()); }, 0},
    {2, "Oil", make<Oil>, blurShare, kDeep | K::kRestsFirstMinute},
    {3, "OilFreq", make<OilFreq>, blurShare, kDeep | K::kRestsFirstMinute},
    {4, "OilSharpen", make<OilSharpen>, blurShare, kDeep | K::kRestsFirstMinute},
    {8, "Repaint", make<Repaint>, [](const RegSettings& s) { return choiceShare(s.doRepaint(), 0.66); }, kDeep},
    {9, "Canvas", make<Canvas>, [](const RegSettings& s) { return choiceShare(s.doRepaint(), 0.34); },
     kDeep | K::kRestsFirstMinute},
    {5, "OilBlend", make<OilBlend>, oilBlendWeight, kDeep},
    {1, "Bitmap", make<Bitmap>, [](const RegSettings& s) { return choiceWeight(s.doImage()); },
     kDeep | K::kFullScreenOnly | K::kPhoto},
    {7, "Surf", make<Surf>, [](const RegSettings& s) { return choiceWeight(s.doSurf()); },
     kDeep | K::kFullScreenOnly | K::kNeedsWebSites | K::kWebImage},
}};

}  // namespace

const OperationCatalog& operationCatalog() {
  static const OperationCatalog catalog{kKinds, kKinds[0], distortionWeights};
  return catalog;
}

}  // namespace warpix

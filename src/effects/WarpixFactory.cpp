#include "effects/WarpixFactory.h"

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

namespace warpix {
namespace {

template <class T>
std::unique_ptr<Warpix> make(Random& random, int width, int height) {
  return std::make_unique<T>(random, width, height);
}

}  // namespace

std::unique_ptr<Warpix> createWarpix(int index, Random& random, int width, int height) {
  switch (index) {
    case 0: return make<WarpixBlend>(random, width, height);
    case 1: return make<WarpixWhirlpool>(random, width, height);
    case 2: return make<WarpixSinX>(random, width, height);
    case 3: return make<WarpixSinY>(random, width, height);
    case 4: return make<WarpixSinX1>(random, width, height);
    case 5: return make<WarpixSinY1>(random, width, height);
    case 6: return make<WarpixStretch>(random, width, height);
    case 7: return make<WarpixFlipLR>(random, width, height);
    case 8: return make<WarpixFlipTB>(random, width, height);
    case 9: return make<WarpixRadialStretch>(random, width, height);
    case 10: return make<WarpixRadialBlend>(random, width, height);
    case 11: return make<WarpixGlassy>(random, width, height);
    case 12: return make<WarpixSwap>(random, width, height);
    case 13: return make<WarpixBulb>(random, width, height);
    case 14: return make<WarpixRadialWave>(random, width, height);
    case 15: return make<WarpixShatter>(random, width, height);
    case 16: return make<WarpixLens>(random, width, height);
    case 17: return make<WarpixTileShrinker>(random, width, height);
    default: return nullptr;
  }
}

}  // namespace warpix

#include "effects/DotRect.h"

#include "app/Random.h"

namespace warpix {

DotRect::DotRect(Random& random, int screenWidth, int screenHeight) : Dot(random, screenWidth, screenHeight) {
  // Width before height: the order of the draws is part of the run.
  rectWidth_ = random.below(32) + 2;
  rectHeight_ = random.below(32) + 2;
}

}  // namespace warpix

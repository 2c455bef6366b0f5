#include "effects/NextPointFactory.h"

#include "app/ChoiceTable.h"
#include "effects/NextPointBT.h"
#include "effects/NextPointInsideOut.h"
#include "effects/NextPointLR.h"
#include "effects/NextPointOutsideIn.h"
#include "effects/NextPointRL.h"
#include "effects/NextPointTB.h"

namespace warpix {

std::unique_ptr<NextPoint> createNextPoint(int index, Random& random, int width, int height) {
  switch (index) {
    case 0: return std::make_unique<NextPointTB>(random, width, height);
    case 1: return std::make_unique<NextPointBT>(random, width, height);
    case 2: return std::make_unique<NextPointLR>(random, width, height);
    case 3: return std::make_unique<NextPointRL>(random, width, height);
    case 4: return std::make_unique<NextPointInsideOut>(random, width, height);
    case 5: return std::make_unique<NextPointOutsideIn>(random, width, height);
    default: return nullptr;
  }
}

std::unique_ptr<NextPoint> pickNextPoint(const ChoiceTable& table, Random& random, int width, int height) {
  return createNextPoint(table.pick(random), random, width, height);
}

}  // namespace warpix

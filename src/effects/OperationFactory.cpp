#include "effects/OperationFactory.h"

#include "effects/Bitmap.h"
#include "effects/Distort.h"
#include "effects/PendingEffect.h"

namespace warpix {

std::unique_ptr<Saver> createOperation(int kind, CSceneWnd& scene) {
  switch (kind) {
    case 1: return std::make_unique<Bitmap>(scene);
    case 2: return std::make_unique<PendingEffect>(scene, "Oil");
    case 3: return std::make_unique<PendingEffect>(scene, "OilFreq");
    case 4: return std::make_unique<PendingEffect>(scene, "OilSharpen");
    case 5: return std::make_unique<PendingEffect>(scene, "OilBlend");
    case 6: return std::make_unique<PendingEffect>(scene, "Text");
    case 7: return std::make_unique<PendingEffect>(scene, "Surf");
    case 8: return std::make_unique<PendingEffect>(scene, "Repaint");
    case 9: return std::make_unique<PendingEffect>(scene, "Canvas");
    default: return std::make_unique<Distort>(scene);
  }
}

}  // namespace warpix

#include "effects/OilFreq.h"

namespace warpix {

OilFreq::OilFreq(CSceneWnd& scene_) : OilPass(scene_, drawOilRadius) {}

OilFreq::~OilFreq() = default;

}  // namespace warpix

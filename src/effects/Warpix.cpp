#include "effects/Warpix.h"

namespace warpix {

std::vector<float> Warpix::normalisedAxis(int size) {
  std::vector<float> axis(static_cast<std::size_t>(size));
  const float s = static_cast<float>(size);
  for (int i = 0; i < size; ++i) axis[static_cast<std::size_t>(i)] = static_cast<float>(i) / s * 2.0f - 1.0f;
  return axis;
}

}  // namespace warpix

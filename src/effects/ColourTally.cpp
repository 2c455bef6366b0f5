#include "effects/ColourTally.h"

namespace warpix {

ColourTally::ColourTally(int capacity) {
  // At most half full, so a look-up ends after a short run of slots.
  std::size_t size = 16;
  while (size < static_cast<std::size_t>(capacity < 1 ? 1 : capacity) * 2) size *= 2;
  slots_.resize(size);
  mask_ = static_cast<std::uint32_t>(size - 1);
}

void ColourTally::reset() {
  for (Slot& s : slots_) s.generation = 0;
  generation_ = 1;
}

void ColourTally::add(Pixel colour) {
  std::uint32_t i = (colour * 0x9E3779B1u) >> 16 & mask_;
  for (;; i = (i + 1) & mask_) {
    Slot& s = slots_[i];
    if (s.generation != generation_) {
      s = {colour, 1, generation_};
      return;
    }
    if (s.colour != colour) continue;
    if (++s.count > bestCount_) {
      bestCount_ = s.count;
      best_ = colour;
    }
    return;
  }
}

}  // namespace warpix

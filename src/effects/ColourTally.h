#pragma once

#include <cstdint>
#include <vector>

#include "platform/Pixel.h"

namespace warpix {

// Counts the colours of one window at a time and remembers the colour that
// first reached the highest count that any colour reached twice or more.
// Colours are looked up in a small hash table that is emptied by moving to a
// new generation, so a window of n pixels costs n look-ups.
class ColourTally {
 public:
  // Room for windows of up to `capacity` pixels.
  explicit ColourTally(int capacity);

  void clear() {
    if (++generation_ == 0) reset();
    best_ = 0;
    bestCount_ = 0;
  }
  void add(Pixel colour);
  // 0 while no colour has been seen twice.
  std::uint32_t bestCount() const { return bestCount_; }
  Pixel best() const { return best_; }

 private:
  struct Slot {
    Pixel colour = 0;
    std::uint32_t count = 0;
    std::uint32_t generation = 0;
  };
  void reset();

  std::vector<Slot> slots_;
  std::uint32_t mask_ = 0;
  std::uint32_t generation_ = 1;
  Pixel best_ = 0;
  std::uint32_t bestCount_ = 0;
};

}  // namespace warpix

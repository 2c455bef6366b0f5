#pragma once

#include <array>
#include <cstdint>

#include "platform/Pixel.h"

namespace warpix {

// What changed on a surface since it was last shown, as a few boxes rather
// than the one box around everything: a ring of a visiting order changes
// four thin strips along the edges of the screen, and the box around them
// is the whole screen, which the X server then copied at every refresh.
// A box joins another when the box around both wastes little (strips of
// one side of a ring, the rows of one picture); past kMostBoxes the two
// whose joining wastes least are joined. The boxes cover every pixel
// added; none is empty; they may overlap.
class DirtyRegion {
 public:
  static constexpr int kMostBoxes = 8;

  void add(const Rect& r);
  void add(const DirtyRegion& other) {
    for (const Rect& r : other) add(r);
  }
  // The part of `box` outside `hole`: at most four pieces.
  void addOutside(const Rect& box, const Rect& hole);
  // Keeps only what lies on a width x height surface.
  void clip(int width, int height);
  void clear() { count_ = 0; }

  bool empty() const { return count_ == 0; }
  int size() const { return count_; }
  const Rect* begin() const { return boxes_.data(); }
  const Rect* end() const { return boxes_.data() + count_; }
  // The box around every box; empty when the region is.
  Rect bounds() const;
  // The boxes' areas added up.
  std::int64_t area() const;

 private:
  // Pixels the box around a and b holds that neither of them does.
  static std::int64_t waste(const Rect& a, const Rect& b);
  static bool worthJoining(const Rect& a, const Rect& b);
  // Box i grows to take in r, then takes in the other boxes now worth it.
  void growInto(int i, const Rect& r);
  void remove(int i);

  std::array<Rect, kMostBoxes> boxes_{};
  int count_ = 0;
};

}  // namespace warpix

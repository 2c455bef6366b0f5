#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/Pixel.h"

namespace warpix {

// Counts the colours of a window that slides along a row: pixels enter in
// the order of a column-by-column walk (each column from the top) and leave
// a whole column at a time from the left. It answers which colour occurs
// most often and, among colours with that count, the one that reached it
// first in the walk: the one whose last occurrence comes first, which,
// since pixels enter in walk order, is the one whose last entry is oldest.
// Leaving never changes a colour's last occurrence (a colour whose last
// occurrence is in the leftmost column occurs nowhere else), so while the
// answer's colour keeps all its pixels no other colour can overtake it
// except by entering; only when one of its pixels leaves is the answer
// looked for again among the pixels of the window.
//
// A colour whose count falls to 0 stays in the table, to be counted again
// if it comes back; the table sheds such colours only when it runs out of
// entries. In a photograph most colours pass through the window once, and
// this keeps their leaving to a subtraction.
class ColourTally {
 public:
  using Handle = std::int16_t;
  // Enough for windows of radius 7; the count has 8 bits.
  static constexpr int kMostPixels = 255;
  // Pixels that may enter between two clear()s.
  static constexpr std::uint32_t kMostEntries = 1u << 24;

  // Room for windows of up to `capacity` pixels (at most kMostPixels).
  explicit ColourTally(int capacity);

  // Empties the window.
  void clear();
  // One more pixel of `colour`, later in the walk than every pixel so far;
  // the handle takes it out again and stays valid while the pixel is in.
  Handle add(Pixel colour) {
    for (std::uint32_t i = home(colour);; i = (i + 1) & mask_) {
      const Handle e = slots_[i];
      if (e == kNone) return enter(colour);
      const auto at = static_cast<std::size_t>(e);
      if (colours_[at] != colour) continue;
      const std::uint32_t rank = ((ranks_[at] & kCountBits) + kOne) | nextStamp();
      ranks_[at] = rank;
      // The first colour to pass the top count takes the answer; one that
      // only equals it came later.
      if (rank >> 24 > topCount_) {
        topCount_ = rank >> 24;
        top_ = e;
      }
      return e;
    }
  }
  void remove(Handle pixel) {
    const auto at = static_cast<std::size_t>(pixel);
    const std::uint32_t rank = ranks_[at] - kOne;
    ranks_[at] = rank < kOne ? 0 : rank;
    if (pixel == top_) stale_ = true;
  }
  // The colour that first reached the highest count, or `none` while no
  // colour occurs twice. `window` holds the handles of every pixel in the
  // window; it may hold others too, of pixels that have left since the
  // last clear().
  Pixel mostFrequent(Pixel none, std::span<const Handle> window) {
    if (stale_) recount(window);
    return topCount_ >= 2 ? colours_[static_cast<std::size_t>(top_)] : none;
  }

 private:
  static constexpr Handle kNone = -1;
  static constexpr std::uint32_t kOne = 1u << 24;  // one more in a rank
  static constexpr std::uint32_t kCountBits = 0xFF000000u;

  std::uint32_t home(Pixel colour) const { return (colour * 0x9E3779B1u) >> shift_; }
  // A colour's rank: its count above all, then the older its last entry
  // the higher. Colours with no pixel in the window rank 0.
  std::uint32_t nextStamp() { return kMostEntries - 1 - clock_++; }
  Handle enter(Pixel colour);
  void insert(Handle e);
  void shed();
  void recount(std::span<const Handle> window);

  std::vector<Pixel> colours_;  // per entry
  std::vector<std::uint32_t> ranks_;
  std::vector<Handle> freeEntries_;
  std::size_t freeCount_ = 0;
  std::vector<Handle> slots_;  // entry or kNone, open addressing
  std::uint32_t mask_ = 0;
  int shift_ = 32;
  std::uint32_t clock_ = 0;
  // The answer: the top count and, when that is 2 or more, its entry.
  std::uint32_t topCount_ = 0;
  Handle top_ = kNone;
  bool stale_ = false;
};

}  // namespace warpix

#include "effects/ColourTally.h"

#include <algorithm>

namespace warpix {

namespace {
// Entries per window pixel: room for the colours that have left, so the
// table is shed only after several windows' worth of new colours.
constexpr std::size_t kEntriesPerPixel = 4;
}  // namespace

ColourTally::ColourTally(int capacity) {
  const std::size_t entries = static_cast<std::size_t>(std::clamp(capacity, 1, kMostPixels)) * kEntriesPerPixel;
  // At most half full, so a look-up ends after a short run of slots.
  std::size_t size = 16;
  int bits = 4;
  while (size < entries * 2) {
    size *= 2;
    ++bits;
  }
  colours_.resize(entries);
  ranks_.resize(entries);
  freeEntries_.resize(entries);
  slots_.resize(size);
  mask_ = static_cast<std::uint32_t>(size - 1);
  shift_ = 32 - bits;
  clear();
}

void ColourTally::clear() {
  std::fill(slots_.begin(), slots_.end(), kNone);
  // No colour ranks in an empty window.
  std::fill(ranks_.begin(), ranks_.end(), 0u);
  freeCount_ = freeEntries_.size();
  for (std::size_t i = 0; i < freeCount_; ++i) freeEntries_[i] = static_cast<Handle>(i);
  clock_ = 0;
  topCount_ = 0;
  top_ = kNone;
  stale_ = false;
}

ColourTally::Handle ColourTally::enter(Pixel colour) {
  if (freeCount_ == 0) shed();
  const Handle e = freeEntries_[--freeCount_];
  const auto at = static_cast<std::size_t>(e);
  colours_[at] = colour;
  ranks_[at] = kOne | nextStamp();
  insert(e);
  if (topCount_ == 0) topCount_ = 1;
  return e;
}

void ColourTally::insert(Handle e) {
  std::uint32_t i = home(colours_[static_cast<std::size_t>(e)]);
  while (slots_[i] != kNone) i = (i + 1) & mask_;
  slots_[i] = e;
}

// Drops the colours that are no longer in the window. Entries stay where
// they are, so the handles of the pixels in the window stay valid.
void ColourTally::shed() {
  std::fill(slots_.begin(), slots_.end(), kNone);
  for (std::size_t at = 0; at < ranks_.size(); ++at) {
    if (ranks_[at] == 0) freeEntries_[freeCount_++] = static_cast<Handle>(at);
    else insert(static_cast<Handle>(at));
  }
}

// The highest rank among the colours of the window.
void ColourTally::recount(std::span<const Handle> window) {
  std::uint32_t best = 0;
  for (const Handle h : window) best = std::max(best, ranks_[static_cast<std::size_t>(h)]);
  Handle bestEntry = kNone;
  for (const Handle h : window)
    if (ranks_[static_cast<std::size_t>(h)] == best) bestEntry = h;
  topCount_ = best >> 24;
  top_ = topCount_ >= 2 ? bestEntry : kNone;
  stale_ = false;
}

}  // namespace warpix

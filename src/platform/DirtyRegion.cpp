#include "platform/DirtyRegion.h"

#include <algorithm>

namespace warpix {

namespace {

std::int64_t areaOf(const Rect& r) { return r.empty() ? 0 : std::int64_t{r.width()} * r.height(); }

Rect around(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// Sending a few pixels more costs less than another request to the server.
constexpr std::int64_t kCheapWaste = 1024;

}  // namespace

std::int64_t DirtyRegion::waste(const Rect& a, const Rect& b) {
  return areaOf(around(a, b)) - areaOf(a) - areaOf(b) + areaOf(intersection(a, b));
}

bool DirtyRegion::worthJoining(const Rect& a, const Rect& b) {
  return waste(a, b) <= std::max(kCheapWaste, (areaOf(a) + areaOf(b)) / 4);
}

void DirtyRegion::add(const Rect& r) {
  if (r.empty()) return;
  int best = -1;
  std::int64_t bestWaste = 0;
  for (int i = 0; i < count_; ++i) {
    if (!worthJoining(boxes_[i], r)) continue;
    const std::int64_t w = waste(boxes_[i], r);
    if (best < 0 || w < bestWaste) best = i, bestWaste = w;
  }
  if (best >= 0) {
    growInto(best, r);
    return;
  }
  if (count_ < kMostBoxes) {
    boxes_[count_++] = r;
    return;
  }
  // Full: join the pair, r among them, that wastes least.
  int a = 0, b = -1;  // b = -1 stands for r
  std::int64_t least = waste(boxes_[0], r);
  for (int i = 0; i < count_; ++i) {
    if (const std::int64_t w = waste(boxes_[i], r); w < least) a = i, b = -1, least = w;
    for (int j = i + 1; j < count_; ++j)
      if (const std::int64_t w = waste(boxes_[i], boxes_[j]); w < least) a = i, b = j, least = w;
  }
  if (b < 0) {
    growInto(a, r);
    return;
  }
  // a < b, so taking b out leaves a where it is.
  const Rect joined = boxes_[b];
  remove(b);
  growInto(a, joined);
  add(r);
}

void DirtyRegion::growInto(int i, const Rect& r) {
  Rect grown = around(boxes_[i], r);
  remove(i);
  // The grown box may now be worth joining to others; each join removes a
  // box, so this ends.
  for (int j = 0; j < count_;) {
    if (worthJoining(boxes_[j], grown)) {
      grown = around(grown, boxes_[j]);
      remove(j);
      j = 0;
    } else {
      ++j;
    }
  }
  boxes_[count_++] = grown;
}

void DirtyRegion::remove(int i) {
  boxes_[i] = boxes_[count_ - 1];
  --count_;
}

void DirtyRegion::addOutside(const Rect& box, const Rect& hole) {
  const Rect h = intersection(box, hole);
  if (h.empty()) {
    add(box);
    return;
  }
  add({box.left, box.top, box.right, h.top});
  add({box.left, h.top, h.left, h.bottom});
  add({h.right, h.top, box.right, h.bottom});
  add({box.left, h.bottom, box.right, box.bottom});
}

void DirtyRegion::clip(int width, int height) {
  const Rect surface{0, 0, width, height};
  for (int i = 0; i < count_;) {
    boxes_[i] = intersection(boxes_[i], surface);
    if (boxes_[i].empty()) remove(i);
    else ++i;
  }
}

Rect DirtyRegion::bounds() const {
  if (count_ == 0) return {};
  Rect r = boxes_[0];
  for (int i = 1; i < count_; ++i) r = around(r, boxes_[i]);
  return r;
}

std::int64_t DirtyRegion::area() const {
  std::int64_t sum = 0;
  for (const Rect& r : *this) sum += areaOf(r);
  return sum;
}

}  // namespace warpix

#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "effects/OilPass.h"
#include "effects/ScreenCopy.h"

namespace warpix {

// Rough, smeared strokes: every pixel becomes the average of the four
// corners of a box of random size around it, read from a snapshot of the
// screen and rewritten in the chosen visiting order.
class OilBlend final : public OilPass<OilBlend, ScreenCopy> {
 public:
  explicit OilBlend(CSceneWnd& scene);
  ~OilBlend() override;
  const char* kindName() const override { return "OilBlend"; }
  void describe(JsonLine& line) const override;
  std::int32_t spread() const { return spread_; }

 private:
  friend class OilPass<OilBlend, ScreenCopy>;
  bool copySnapshotRow() { return snapshot_.copyRow(scene->surface()); }
  // A point with its box: the rows and columns of the corners, as its draws
  // chose them.
  struct Unit {
    int x, y;
    const Pixel* top;
    const Pixel* bottom;
    int left, right;
  };
  // The box reaches dx and dy from the point, clipped to the snapshot. Both
  // are drawn for every point, written or not, so the draws stay in step;
  // the corners are asked for before the batch is painted.
  void prepare(Unit& u, bool inside) {
    // Only the pass draws from its generator once it is made, so the draws
    // are made a batch ahead: the points take them in the same order, and
    // those left over at the end are never seen. A point takes two, and
    // the batch is even.
    if (drawn_ == draws_.size()) drawAhead();
    const int dx = draws_[drawn_], dy = draws_[drawn_ + 1];
    drawn_ += 2;
    if (!inside) return;
    u.left = std::max(0, u.x - dx);
    u.right = std::min(snapshot_.width() - 1, u.x + dx);
    u.top = snapshot_.row(std::max(0, u.y - dy));
    u.bottom = snapshot_.row(std::min(snapshot_.height() - 1, u.y + dy));
    __builtin_prefetch(u.top + u.left);
    __builtin_prefetch(u.top + u.right);
    __builtin_prefetch(u.bottom + u.left);
    __builtin_prefetch(u.bottom + u.right);
  }
  Pixel paint(const Unit& u, bool inside) const { return inside ? blend(u) : kKeepPixel; }
  static Pixel blend(const Unit& u);
  void drawAhead();

  std::int32_t spread_ = 1;
  std::array<std::int32_t, 1024> draws_;
  std::size_t drawn_ = draws_.size();
};

}  // namespace warpix

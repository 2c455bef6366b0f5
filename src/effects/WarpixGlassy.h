#pragma once

#include <vector>

#include "effects/WarpixStretcher.h"

namespace warpix {

// Rippled glass: a shift along the diagonal driven by tangents of the
// position inside each grid cell.
class WarpixGlassy : public WarpixStretcher {
 public:
  WarpixGlassy(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixGlassy"; }

  float g() const { return g_; }

 private:
  float g_;
  // tan(2 pi fx) per column, tan(2 pi fy) per row, g x colSize of each
  // column's cell.
  std::vector<float> tanX_;
  std::vector<float> tanY_;
  std::vector<float> scale_;
};

}  // namespace warpix

#pragma once

#include "effects/WarpixStretcher.h"

namespace warpix {

// A refracting lens in every grid cell: a sphere cap over the circle
// inscribed in the cell bends the picture beneath it, convex or concave.
class WarpixLens : public WarpixStretcher {
 public:
  WarpixLens(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixLens"; }

  float eta() const { return eta_; }
  bool convex() const { return convex_; }

 private:
  // The refracted local coordinate along one axis, for a point at height z
  // on the sphere (z2 its square as computed).
  float refract(float u, float z, float z2) const;

  float eta_;
  bool convex_;
};

}  // namespace warpix

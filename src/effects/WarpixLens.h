#pragma once

#include <vector>

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

  // The refracted coordinate along one axis depends only on the lens radius
  // R and the offsets (dx, dy) from the lens centre, and it is the same for
  // (dx, -dy) as for (dx, dy) (and for the other axis, for -dx as for dx):
  // the mirrored point has the same height on the sphere. So each value is
  // computed once per radius, when first needed, and read back for the
  // mirrored point.
  struct Cache {
    int radius = 0;
    std::vector<float> u;  // [(dx + R) * (R + 1) + |dy|]
    std::vector<float> v;  // [(dy + R) * (R + 1) + |dx|]
  };
  float cached(std::vector<float>& table, std::size_t key, float a, float z, float z2) {
    float& slot = table[key];
    if (slot != slot) slot = refract(a, z, z2);  // not yet computed
    return slot;
  }

  float eta_;
  bool convex_;
  std::vector<Cache> caches_;
  std::vector<int> cacheOfRadius_;  // index into caches_, -1 for none
};

}  // namespace warpix

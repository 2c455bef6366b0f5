#pragma once

#include <vector>

#include "effects/Warpix.h"

namespace warpix {

// The swirl: each ring about the centre is turned by an angle that grows
// with its distance from the centre, optionally with a ripple on the angle.
class WarpixWhirlpool : public Warpix {
 public:
  WarpixWhirlpool(Random& random, int width, int height);
  void map(int x, int y, int& sx, int& sy) override;
  const char* name() const override { return "WarpixWhirlpool"; }

  float twist() const { return twist_; }
  bool wobble() const { return wobble_; }
  float amplitude() const { return amplitude_; }
  float frequency() const { return frequency_; }

 private:
  float twist_ = 0.0f;
  bool wobble_ = false;
  float amplitude_ = 0.0f;
  float frequency_ = 0.0f;
  // nx / sqrt 2 per column and ny / sqrt 2 per row.
  std::vector<float> e_;
  std::vector<float> f_;
};

}  // namespace warpix

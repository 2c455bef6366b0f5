#pragma once

#include <cmath>
#include <vector>

#include "platform/Surface.h"

namespace warpix {

class Random;

// A distortion: for the screen point being rewritten it names the point of
// the screen snapshot whose colour goes there. Members draw their parameters
// from the owning operation's generator at construction (a few also per
// pixel), so each pass looks different. Every result lies inside the screen.
class Warpix {
 public:
  // Single-precision constants of the distortions.
  static constexpr float kPi = 3.14159265358979323846f;
  static constexpr float kTwoPi = 6.28318530717958647692f;
  static constexpr float kHalfPi = 1.57079632679489661923f;
  static constexpr float kSqrt2 = 1.41421356237309504880f;

  Warpix(Random& random, int width, int height)
      : random_(random), width_(width < 1 ? 1 : width), height_(height < 1 ? 1 : height) {}
  virtual ~Warpix() = default;
  Warpix(const Warpix&) = delete;
  Warpix& operator=(const Warpix&) = delete;

  // (x, y) is a point of the screen; writes the source point into sx, sy.
  virtual void map(int x, int y, int& sx, int& sy) = 0;
  virtual const char* name() const = 0;

  Point mapPoint(int x, int y) {
    Point p;
    map(x, y, p.x, p.y);
    return p;
  }
  int width() const { return width_; }
  int height() const { return height_; }

 protected:
  // Truncates toward zero and clamps into 0 .. size - 1; a value that is not
  // a number goes to 0. Compares before converting, so huge values are safe.
  static int truncClamp(float v, int size) {
    if (!(v > -1.0f)) return 0;
    if (!(v < static_cast<float>(size))) return size - 1;
    return static_cast<int>(v);
  }
  // Truncates toward zero; a result outside 0 .. size - 1 (or not a number)
  // is replaced by the point's own coordinate.
  static int truncKeep(float v, int size, int own) {
    return v > -1.0f && v < static_cast<float>(size) ? static_cast<int>(v) : own;
  }
  static int clampInt(int v, int size) { return v < 0 ? 0 : (v >= size ? size - 1 : v); }
  // atan2 with a in the ordinate's place, 0 when both are 0.
  static float angle(float a, float b) { return a == 0.0f && b == 0.0f ? 0.0f : std::atan2(a, b); }
  // i / size x 2 - 1 for every i of an axis, in single precision.
  static std::vector<float> normalisedAxis(int size);

  Random& random_;
  const int width_;
  const int height_;
};

}  // namespace warpix

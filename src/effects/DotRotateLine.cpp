#include "effects/DotRotateLine.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/Random.h"
#include "platform/Surface.h"
#include "raster/ColorHSV.h"

namespace warpix {

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
constexpr double kSqrt2 = 1.4142135623730951;

std::int32_t powerOfTwo(std::int32_t exponent) { return std::int32_t{1} << std::clamp(exponent, 0, 30); }
}  // namespace

DotRotateLine::DotRotateLine(Random& random, int screenWidth, int screenHeight)
    : DotRect(random, screenWidth, screenHeight) {
  // The order of these draws is part of the run a seed reproduces.
  length_ = powerOfTwo(random.skewed(5, 2));
  angle0_ = random.uniformSigned() * kPi;
  angleScale_ = random.uniform() * static_cast<float>(kPi * 4.0);
  hueSteps_ = powerOfTwo(random.skewed(7, 2));
  hueStep_ = 360 / hueSteps_;
  strength_ = random.uniform();
  rectWidth_ = (length_ == 8 || length_ == 16) ? length_ : 4;
  if (rectHeight_ < 5) rectHeight_ = 4;
}

DotRotateLine::Stroke DotRotateLine::stroke(ColorRGB colour) {
  ColorHSV hsv(colour);
  hsv.drift(random_, strength_);
  // The angle turns in hueStep steps of whole degrees, so a pass with few
  // steps lays its strokes in few directions.
  const std::int32_t q = hueStep_ * (static_cast<std::int32_t>(hsv.hue()) / hueStep_);
  const float theta = angleScale_ * static_cast<float>(q) / 360.0f + angle0_;
  return {pixelFromColorRef(hsv.toRGB(true).value()), std::cos(theta), std::sin(theta)};
}

Point DotRotateLine::turned(const Stroke& s, int x, int y, float u, float v) {
  const float tx = u * s.cosine - v * s.sine;
  const float ty = u * s.sine + v * s.cosine;
  return {static_cast<int>(static_cast<float>(x) + tx), static_cast<int>(static_cast<float>(y) + ty)};
}

Rect DotRotateLine::box(int x, int y, int length, int rectHeight, int screenWidth, int screenHeight) {
  const int w = std::max(1, static_cast<int>(length / kSqrt2));
  const int h = std::max(1, static_cast<int>(rectHeight / kSqrt2));
  const int x0 = std::max(0, x - w / 2), y0 = std::max(0, y - h / 2);
  return {x0, y0, std::min(x0 + w, screenWidth), std::min(y0 + h, screenHeight)};
}

void DotRotateLine::draw(Surface& surface, int x, int y, ColorRGB colour) {
  // The line runs along the box's diagonal, turned about (x, y).
  const Rect b = box(x, y, length_, rectHeight_, screenWidth_, screenHeight_);
  const Stroke s = stroke(colour);
  const int pen = random_.skewed(length_, -2) + 1;
  surface.line(turned(s, x, y, static_cast<float>(b.left - x), static_cast<float>(b.top - y)),
               turned(s, x, y, static_cast<float>(b.right - x), static_cast<float>(b.bottom - y)), s.colour, pen);
}

}  // namespace warpix

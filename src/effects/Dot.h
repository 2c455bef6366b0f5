#pragma once

#include <cstdint>

#include "raster/ColorRGB.h"

namespace warpix {

class Random;
class Surface;

// A brush mark: given a screen point and a colour, a short stroke there.
// A shape draws its parameters from the owning operation's generator when it
// is made and keeps drawing from it for every mark; nothing else changes.
class Dot {
 public:
  Dot(Random& random, int screenWidth, int screenHeight)
      : random_(random), screenWidth_(screenWidth), screenHeight_(screenHeight) {}
  virtual ~Dot() = default;
  Dot(const Dot&) = delete;
  Dot& operator=(const Dot&) = delete;

  virtual void draw(Surface& surface, int x, int y, ColorRGB colour) = 0;
  // The mark's extent across and along.
  virtual std::int32_t width() const = 0;
  virtual std::int32_t height() const = 0;
  virtual std::int32_t area() const { return width() * height(); }
  virtual const char* name() const = 0;

 protected:
  Random& random_;
  const int screenWidth_;
  const int screenHeight_;
};

}  // namespace warpix

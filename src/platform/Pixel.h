#pragma once

#include <cstdint>

namespace warpix {

// A screen pixel: 0x00RRGGBB, which in memory on a little-endian machine is
// blue, green, red, 0 (the layout of a 32-bit DIB row, of Cairo's RGB24 and
// of SDL's XRGB8888), so frames go to the display without conversion.
using Pixel = std::uint32_t;

// GDI colour reference layout 0x00BBGGRR, as pixel reads and writes of the
// effects use it; the top byte carries the colour kind and is dropped here.
constexpr Pixel pixelFromColorRef(std::uint32_t ref) {
  return ((ref & 0xFFu) << 16) | (ref & 0xFF00u) | ((ref >> 16) & 0xFFu);
}
constexpr std::uint32_t colorRefFromPixel(Pixel p) {
  return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}
constexpr Pixel makePixel(int r, int g, int b) {
  return (static_cast<Pixel>(r & 0xFF) << 16) | (static_cast<Pixel>(g & 0xFF) << 8) | static_cast<Pixel>(b & 0xFF);
}
constexpr int pixelRed(Pixel p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int pixelGreen(Pixel p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int pixelBlue(Pixel p) { return static_cast<int>(p & 0xFF); }

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

// left, top inclusive; right, bottom exclusive (a Windows RECT).
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool operator==(const Rect&) const = default;
};

// The part two boxes share; empty when they share nothing.
constexpr Rect intersection(const Rect& a, const Rect& b) {
  return {a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top, a.right < b.right ? a.right : b.right,
          a.bottom < b.bottom ? a.bottom : b.bottom};
}

}  // namespace warpix

#include "platform/Surface.h"

#include <gtest/gtest.h>

#include <utility>

namespace warpix {
namespace {

// Screen-sized surfaces live in their own mapping, small ones on the heap:
// both must start black and keep their pixels through moves.
TEST(PixelStore, SmallAndScreenSizedSurfacesStartBlackAndMoveTheirPixels) {
  for (const auto& [w, h] : {std::pair{7, 5}, std::pair{1920, 1080}, std::pair{4099, 3}}) {
    Surface a(w, h);
    int lit = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) lit += a.pixel(x, y) != 0;
    EXPECT_EQ(lit, 0) << w << "x" << h;
    a.setPixel(0, 0, 0x123456);
    a.setPixel(w - 1, h - 1, 0xABCDEF);
    Surface b(std::move(a));
    Surface c(640, 480);
    c = std::move(b);  // frees c's own store
    EXPECT_EQ(c.width(), w);
    EXPECT_EQ(c.pixel(0, 0), 0x123456u);
    EXPECT_EQ(c.pixel(w - 1, h - 1), 0xABCDEFu);
  }
}

}  // namespace
}  // namespace warpix

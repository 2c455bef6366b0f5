#pragma once

#include <cstdint>
#include <vector>

#include "effects/ScreenCopy.h"
#include "platform/Pixel.h"

namespace warpix {

class Surface;

// A screen copy for the filters that look at the square window of a radius
// around each pixel (clipped to the picture), with the filtered picture
// worked out row by row as soon as the copy holds a row's whole window. The
// window sums slide down the columns and along the row, so a pixel costs a
// few additions whatever the radius, and the pass that follows only looks
// the answers up.
class BoxFilter {
 public:
  struct Sums {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t count = 0;  // pixels in the clipped window, the centre included
  };
  // The new colour of a pixel from its window's sums and its own colour.
  using Rule = Pixel (*)(const Sums& window, Pixel centre);

  BoxFilter(int radius, Rule rule) : radius_(radius < 0 ? 0 : radius), rule_(rule) {}

  // Room for the copy and the result; false when the memory cannot be had.
  bool allocate(int width, int height);
  bool allocated() const { return copy_.allocated(); }
  // Copies the next screen row and works out every result row whose window
  // is now complete. True once the whole result is known.
  bool copyRow(const Surface& screen);

  int width() const { return copy_.width(); }
  int height() const { return copy_.height(); }
  Pixel copied(int x, int y) const { return copy_.at(x, y); }
  Pixel result(int x, int y) const { return result_[static_cast<std::size_t>(y) * copy_.width() + x]; }

 private:
  void addRow(int y, int sign);
  void computeRow(int y);

  int radius_;
  Rule rule_;
  ScreenCopy copy_;
  std::vector<Pixel> result_;
  // Per column, red, green and blue summed over the copy rows top_..bottom_.
  std::vector<std::uint32_t> columns_;
  int top_ = 0;
  int bottom_ = -1;
  int nextResultRow_ = 0;
};

}  // namespace warpix

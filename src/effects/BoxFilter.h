#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/Pixel.h"
#include "platform/PixelStore.h"

namespace warpix {

class Surface;

// The snapshot of the filters that look at the square window of a radius
// around each pixel (clipped to the picture): the screen is read row by row
// and each row of the filtered picture is worked out as soon as its whole
// window has been read, so only the last 2r + 2 screen rows are kept. The
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
  explicit BoxFilter(int radius) : radius_(radius < 0 ? 0 : radius) {}

  // Room for the copy and the result; false when the memory cannot be had.
  bool allocate(int width, int height);
  bool allocated() const { return result_ != nullptr; }
  // Copies the next screen row and works out every result row whose window
  // is now complete, each pixel as rule(window sums, own colour) gives it.
  // True once the whole result is known.
  template <class Rule>
  bool copyRow(const Surface& screen, const Rule& rule) {
    if (rowsRead_ < height_) readRow(screen);
    const int h = height_;
    while (nextResultRow_ < h && std::min(h - 1, nextResultRow_ + radius_) < rowsRead_)
      computeRow(nextResultRow_++, rule);
    return nextResultRow_ >= h;
  }

  int width() const { return width_; }
  int height() const { return height_; }
  Pixel result(int x, int y) const { return *address(x, y); }
  const Pixel* address(int x, int y) const { return result_ + static_cast<std::size_t>(y) * width_ + x; }

 private:
  void readRow(const Surface& screen);
  // Screen row y as read, while it is among the rows kept.
  const Pixel* kept(int y) const {
    return ring_.data() + static_cast<std::size_t>(y % ringRows_) * static_cast<std::size_t>(width_);
  }
  void addRow(int y, int sign);
  // Brings the column sums to the window rows of result row y; returns how
  // many rows that is.
  std::uint32_t slideColumnsTo(int y);
  template <class Rule>
  void computeRow(int y, const Rule& rule);

  int radius_;
  int width_ = 0;
  int height_ = 0;
  int ringRows_ = 1;
  int rowsRead_ = 0;
  std::vector<Pixel> ring_;
  PixelStore store_;
  Pixel* result_ = nullptr;  // into store_
  // Per column, red, green and blue summed over the copy rows top_..bottom_.
  std::vector<std::uint32_t> columns_;
  int top_ = 0;
  int bottom_ = -1;
  int nextResultRow_ = 0;
};

template <class Rule>
void BoxFilter::computeRow(int y, const Rule& rule) {
  const int w = width_;
  const std::uint32_t rows = slideColumnsTo(y);
  // Slide the window along the row: columns left..right are in `sums`.
  Sums sums;
  int right = -1;
  const auto take = [&](int col, std::uint32_t sign) {
    const std::uint32_t* c = columns_.data() + static_cast<std::size_t>(col) * 3;
    sums.red += sign * c[0];
    sums.green += sign * c[1];
    sums.blue += sign * c[2];
  };
  const Pixel* centre = kept(y);
  Pixel* out = result_ + static_cast<std::size_t>(y) * w;
  for (int x = 0; x < w; ++x) {
    while (right < std::min(w - 1, x + radius_)) take(++right, 1);
    if (x - radius_ - 1 >= 0) take(x - radius_ - 1, static_cast<std::uint32_t>(-1));
    sums.count = rows * static_cast<std::uint32_t>(right - std::max(0, x - radius_) + 1);
    out[x] = rule(sums, centre[x]);
  }
}

}  // namespace warpix

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
// the answers up. The sums are kept packed in one 64-bit word, blue in the
// low 21 bits, green in the next 21 and red above, so one addition moves
// all three channels; a window of up to 89 x 89 pixels fits.
class BoxFilter {
 public:
  struct Sums {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    std::uint32_t count = 0;  // pixels in the clipped window, the centre included
  };
  static constexpr int kMostRadius = 44;
  explicit BoxFilter(int radius) : radius_(std::clamp(radius, 0, kMostRadius)) {}

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
  using Packed = std::uint64_t;
  static constexpr int kFieldBits = 21;
  static Packed pack(Pixel p) {
    return (p & 0xFFu) | (Packed{p & 0xFF00u} << (kFieldBits - 8)) | (Packed{p & 0xFF0000u} << (2 * kFieldBits - 16));
  }
  static Sums unpack(Packed v, std::uint32_t count) {
    constexpr Packed field = (Packed{1} << kFieldBits) - 1;
    return Sums{static_cast<std::uint32_t>(v >> (2 * kFieldBits)),
                static_cast<std::uint32_t>((v >> kFieldBits) & field), static_cast<std::uint32_t>(v & field), count};
  }
  // Adds copy row `in` to the column sums and takes copy row `out` away;
  // -1 for either when there is none.
  void slideRows(int in, int out);
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
  // Per column, the packed sums over the copy rows top_..bottom_.
  std::vector<Packed> columns_;
  int top_ = 0;
  int bottom_ = -1;
  int nextResultRow_ = 0;
};

template <class Rule>
void BoxFilter::computeRow(int y, const Rule& rule) {
  const int w = width_, r = radius_;
  const std::uint32_t rows = slideColumnsTo(y);
  const Packed* columns = columns_.data();
  const Pixel* centre = kept(y);
  Pixel* out = result_ + static_cast<std::size_t>(y) * w;
  // The window slides along the row: it holds columns x - r .. x + r.
  Packed sums = 0;
  for (int col = 0; col < std::min(r, w); ++col) sums += columns[col];
  const auto clipped = [&](int x) {
    if (x + r < w) sums += columns[x + r];
    if (x - r - 1 >= 0) sums -= columns[x - r - 1];
    const auto across = static_cast<std::uint32_t>(std::min(w - 1, x + r) - std::max(0, x - r) + 1);
    out[x] = rule(unpack(sums, rows * across), centre[x]);
  };
  int x = 0;
  for (; x < std::min(r + 1, w); ++x) clipped(x);
  const std::uint32_t whole = rows * static_cast<std::uint32_t>(2 * r + 1);
  for (; x < w - r; ++x) {
    sums += columns[x + r] - columns[x - r - 1];
    out[x] = rule(unpack(sums, whole), centre[x]);
  }
  for (; x < w; ++x) clipped(x);
}

}  // namespace warpix

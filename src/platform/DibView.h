#pragma once

#include <array>
#include <cstdint>

#include "platform/Pixel.h"

namespace warpix {

// A read-only view of a packed device-independent bitmap: a
// BITMAPINFOHEADER (at least 40 bytes, little-endian), its colour table at
// info + biSize, and the pixel rows at `bits`, bottom-up when biHeight is
// positive and top-down when it is negative, each row padded to 4 bytes.
//
// Contract: the header tells the truth. The view cannot know how long the
// buffers are, so it trusts biSize, biClrUsed, biWidth and biHeight for the
// extent of the colour table and the rows. It refuses (valid() is false)
// every header it can see to be wrong or unsupported: biSize below 40 or
// above 4096, planes other than 1, a depth other than 1, 4, 8, 16 (5-5-5),
// 24 or 32, any compression, a width or height of 0 or above 65536 pixels,
// more than 256 colours on a depth of 8 or less, or a biSizeImage that is
// non-zero and smaller than the rows need. A refused view draws nothing.
class DibView {
 public:
  static constexpr int kMaxSide = 65536;

  DibView(const std::uint8_t* info, const std::uint8_t* bits);

  bool valid() const { return valid_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int bitCount() const { return bitCount_; }
  std::int64_t rowBytes() const { return rowBytes_; }

  // Converts `count` pixels of picture row `y` (0 = top of the picture),
  // starting at column `x0`, into screen pixels. The caller keeps
  // 0 <= x0, x0 + count <= width() and 0 <= y < height().
  void readRow(int y, int x0, int count, Pixel* out) const;

 private:
  const std::uint8_t* rowStart(int y) const;

  bool valid_ = false;
  int width_ = 0;
  int height_ = 0;
  int bitCount_ = 0;
  bool bottomUp_ = true;
  std::int64_t rowBytes_ = 0;
  const std::uint8_t* bits_ = nullptr;
  // Indices beyond the table the header declares read as black.
  std::array<Pixel, 256> palette_{};
};

}  // namespace warpix

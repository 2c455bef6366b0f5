#pragma once

#include <cstdint>

#include "platform/Pixel.h"
#include "platform/PixelStore.h"

namespace warpix {

class Surface;

// A copy of the screen kept in memory and taken row by row, so that a long
// copy can stop between two rows when input waits and go on where it left.
// The filters read only this copy, so pixels they have already rewritten
// never feed into their neighbours.
class ScreenCopy {
 public:
  // Makes room for width x height pixels; false when the memory cannot be
  // had, and the copy stays empty. Rows are readable once copied.
  bool allocate(int width, int height);
  bool allocated() const { return pixels_ != nullptr; }

  // Copies the next row of `screen` (the part of it that both share; the
  // rest stays black). True when that was the last row.
  bool copyRow(const Surface& screen);
  bool complete() const { return nextRow_ >= height_; }
  int rowsCopied() const { return nextRow_; }

  int width() const { return width_; }
  int height() const { return height_; }
  Pixel at(int x, int y) const { return *address(x, y); }
  const Pixel* address(int x, int y) const { return pixels_ + static_cast<std::size_t>(y) * width_ + x; }
  const Pixel* row(int y) const { return pixels_ + static_cast<std::size_t>(y) * width_; }

 private:
  PixelStore store_;
  Pixel* pixels_ = nullptr;  // into store_
  int width_ = 0;
  int height_ = 0;
  int nextRow_ = 0;
};

}  // namespace warpix

#include "effects/BoxFilter.h"

#include <algorithm>
#include <new>

#include "platform/Surface.h"

namespace warpix {

bool BoxFilter::allocate(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  const int ringRows = std::min(height, 2 * radius_ + 2);
  try {
    store_ = PixelStore(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    result_ = store_.data();
    ring_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(ringRows), 0);
    columns_.assign(static_cast<std::size_t>(width) * 3, 0);
  } catch (const std::bad_alloc&) {
    store_ = PixelStore();
    result_ = nullptr;
    return false;
  }
  width_ = width;
  height_ = height;
  ringRows_ = ringRows;
  rowsRead_ = 0;
  top_ = 0;
  bottom_ = -1;
  nextResultRow_ = 0;
  return true;
}

// The part of the row that the screen still has; the rest reads as black.
void BoxFilter::readRow(const Surface& screen) {
  Pixel* to = ring_.data() + static_cast<std::size_t>(rowsRead_ % ringRows_) * static_cast<std::size_t>(width_);
  const int shared = rowsRead_ < screen.height() ? std::min(width_, screen.width()) : 0;
  if (shared > 0) std::copy(screen.row(rowsRead_), screen.row(rowsRead_) + shared, to);
  std::fill(to + shared, to + width_, Pixel{0});
  ++rowsRead_;
}

// Adds (sign 1) or takes away (sign -1, as unsigned wrap-around) one copy
// row from the column sums.
void BoxFilter::addRow(int y, int sign) {
  const Pixel* row = kept(y);
  std::uint32_t* c = columns_.data();
  const auto s = static_cast<std::uint32_t>(sign);
  for (int x = 0; x < width_; ++x, c += 3) {
    const Pixel p = row[x];
    c[0] += s * ((p >> 16) & 0xFF);
    c[1] += s * ((p >> 8) & 0xFF);
    c[2] += s * (p & 0xFF);
  }
}

std::uint32_t BoxFilter::slideColumnsTo(int y) {
  const int top = std::max(0, y - radius_), bottom = std::min(height_ - 1, y + radius_);
  while (bottom_ < bottom) addRow(++bottom_, 1);
  while (top_ < top) addRow(top_++, -1);
  return static_cast<std::uint32_t>(bottom - top + 1);
}

}  // namespace warpix

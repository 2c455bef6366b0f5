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
    columns_.assign(static_cast<std::size_t>(width), 0);
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

void BoxFilter::slideRows(int in, int out) {
  Packed* c = columns_.data();
  const int w = width_;
  const Pixel* a = in >= 0 ? kept(in) : nullptr;
  const Pixel* b = out >= 0 ? kept(out) : nullptr;
  if (a != nullptr && b != nullptr) {
    for (int x = 0; x < w; ++x) c[x] += pack(a[x]) - pack(b[x]);
  } else if (a != nullptr) {
    for (int x = 0; x < w; ++x) c[x] += pack(a[x]);
  } else if (b != nullptr) {
    for (int x = 0; x < w; ++x) c[x] -= pack(b[x]);
  }
}

std::uint32_t BoxFilter::slideColumnsTo(int y) {
  const int top = std::max(0, y - radius_), bottom = std::min(height_ - 1, y + radius_);
  while (bottom_ < bottom || top_ < top) {
    const int in = bottom_ < bottom ? ++bottom_ : -1;
    const int out = top_ < top ? top_++ : -1;
    slideRows(in, out);
  }
  return static_cast<std::uint32_t>(bottom - top + 1);
}

}  // namespace warpix

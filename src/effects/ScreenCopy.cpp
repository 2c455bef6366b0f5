#include "effects/ScreenCopy.h"

#include <algorithm>
#include <new>

#include "platform/Surface.h"

namespace warpix {

bool ScreenCopy::allocate(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  try {
    store_ = PixelStore(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    pixels_ = store_.data();
  } catch (const std::bad_alloc&) {
    store_ = PixelStore();
    pixels_ = nullptr;
    return false;
  }
  width_ = width;
  height_ = height;
  nextRow_ = 0;
  return true;
}

bool ScreenCopy::copyRow(const Surface& screen) {
  if (nextRow_ >= height_) return true;
  Pixel* to = pixels_ + static_cast<std::size_t>(nextRow_) * width_;
  const int shared = nextRow_ < screen.height() ? std::min(width_, screen.width()) : 0;
  if (shared > 0) std::copy(screen.row(nextRow_), screen.row(nextRow_) + shared, to);
  std::fill(to + shared, to + width_, Pixel{0});
  return ++nextRow_ >= height_;
}

}  // namespace warpix

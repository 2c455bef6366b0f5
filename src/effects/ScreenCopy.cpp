#include "effects/ScreenCopy.h"

#include <algorithm>
#include <new>

#include "platform/Surface.h"

namespace warpix {

bool ScreenCopy::allocate(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  try {
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    pixels_.clear();
    return false;
  }
  width_ = width;
  height_ = height;
  nextRow_ = 0;
  return true;
}

bool ScreenCopy::copyRow(const Surface& screen) {
  if (nextRow_ >= height_) return true;
  if (nextRow_ < screen.height()) {
    const Pixel* from = screen.row(nextRow_);
    std::copy(from, from + std::min(width_, screen.width()), pixels_.data() + static_cast<std::size_t>(nextRow_) * width_);
  }
  return ++nextRow_ >= height_;
}

}  // namespace warpix

#include "effects/BoxFilter.h"

#include <algorithm>
#include <new>

namespace warpix {

bool BoxFilter::allocate(int width, int height) {
  if (!copy_.allocate(width, height)) return false;
  try {
    result_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    columns_.assign(static_cast<std::size_t>(width) * 3, 0);
  } catch (const std::bad_alloc&) {
    copy_ = ScreenCopy();
    result_.clear();
    return false;
  }
  top_ = 0;
  bottom_ = -1;
  nextResultRow_ = 0;
  return true;
}

bool BoxFilter::copyRow(const Surface& screen) {
  copy_.copyRow(screen);
  const int h = copy_.height();
  while (nextResultRow_ < h && std::min(h - 1, nextResultRow_ + radius_) < copy_.rowsCopied())
    computeRow(nextResultRow_++);
  return nextResultRow_ >= h;
}

// Adds (sign 1) or takes away (sign -1, as unsigned wrap-around) one copy
// row from the column sums.
void BoxFilter::addRow(int y, int sign) {
  const Pixel* row = copy_.row(y);
  std::uint32_t* c = columns_.data();
  const auto s = static_cast<std::uint32_t>(sign);
  for (int x = 0; x < copy_.width(); ++x, c += 3) {
    const Pixel p = row[x];
    c[0] += s * ((p >> 16) & 0xFF);
    c[1] += s * ((p >> 8) & 0xFF);
    c[2] += s * (p & 0xFF);
  }
}

void BoxFilter::computeRow(int y) {
  const int w = copy_.width(), h = copy_.height();
  const int top = std::max(0, y - radius_), bottom = std::min(h - 1, y + radius_);
  while (bottom_ < bottom) addRow(++bottom_, 1);
  while (top_ < top) addRow(top_++, -1);
  const std::uint32_t rows = static_cast<std::uint32_t>(bottom - top + 1);

  // Slide the window along the row: columns left..right are in `sums`.
  Sums sums;
  int right = -1;
  const auto take = [&](int col, std::uint32_t sign) {
    const std::uint32_t* c = columns_.data() + static_cast<std::size_t>(col) * 3;
    sums.red += sign * c[0];
    sums.green += sign * c[1];
    sums.blue += sign * c[2];
  };
  const Pixel* centre = copy_.row(y);
  Pixel* out = result_.data() + static_cast<std::size_t>(y) * w;
  for (int x = 0; x < w; ++x) {
    while (right < std::min(w - 1, x + radius_)) take(++right, 1);
    if (x - radius_ - 1 >= 0) take(x - radius_ - 1, static_cast<std::uint32_t>(-1));
    const int left = std::max(0, x - radius_);
    sums.count = rows * static_cast<std::uint32_t>(right - left + 1);
    out[x] = rule_(sums, centre[x]);
  }
}

}  // namespace warpix

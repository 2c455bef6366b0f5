#include "raster/BoxReducer.h"

#include <algorithm>
#include <cstring>

namespace warpix {

BoxReducer::BoxReducer(std::uint32_t width, std::uint32_t height, int factor, Order order, std::uint8_t* bits,
                       std::size_t stride)
    : width_(width),
      height_(height),
      factor_(factor),
      order_(order),
      bits_(bits),
      stride_(stride),
      reducedWidth_(reducedSize(width, factor)),
      reducedHeight_(reducedSize(height, factor)) {
  const std::size_t rows = order == Order::kTopDown ? 1 : reducedHeight_;
  sums_.assign(rows * reducedWidth_ * 3, 0);
}

std::uint16_t* BoxReducer::sumsFor(std::uint32_t y) {
  const std::uint32_t reducedRow = y / static_cast<std::uint32_t>(factor_);
  if (order_ == Order::kScattered) return sums_.data() + static_cast<std::size_t>(reducedRow) * reducedWidth_ * 3;
  // Rows come top first: a row of the next box closes the current one.
  while (band_ < reducedRow) {
    emit(band_++, sums_.data());
    std::fill(sums_.begin(), sums_.end(), 0);
  }
  return sums_.data();
}

void BoxReducer::addRow(std::uint32_t y, const std::uint8_t* pixels) {
  if (y >= height_) return;
  std::uint16_t* sum = sumsFor(y);
  const std::uint32_t f = static_cast<std::uint32_t>(factor_);
  std::uint32_t x = 0;
  for (; x + f <= width_; x += f, sum += 3) {
    unsigned b = 0, g = 0, r = 0;
    for (std::uint32_t k = 0; k < f; ++k, pixels += 3) {
      b += pixels[0];
      g += pixels[1];
      r += pixels[2];
    }
    sum[0] = static_cast<std::uint16_t>(sum[0] + b);
    sum[1] = static_cast<std::uint16_t>(sum[1] + g);
    sum[2] = static_cast<std::uint16_t>(sum[2] + r);
  }
  for (; x < width_; ++x, pixels += 3) {
    for (int c = 0; c < 3; ++c) sum[c] = static_cast<std::uint16_t>(sum[c] + pixels[c]);
  }
}

void BoxReducer::addPixels(std::uint32_t y, const std::uint8_t* pixels, std::uint32_t count, std::uint32_t first,
                           std::uint32_t step) {
  if (y >= height_) return;
  std::uint16_t* row = sumsFor(y);
  for (std::uint32_t i = 0, x = first; i < count && x < width_; ++i, x += step, pixels += 3) {
    std::uint16_t* sum = row + static_cast<std::size_t>(x / static_cast<std::uint32_t>(factor_)) * 3;
    for (int c = 0; c < 3; ++c) sum[c] = static_cast<std::uint16_t>(sum[c] + pixels[c]);
  }
}

void BoxReducer::finish() {
  if (order_ == Order::kScattered) {
    for (std::uint32_t r = 0; r < reducedHeight_; ++r) emit(r, sums_.data() + static_cast<std::size_t>(r) * reducedWidth_ * 3);
    return;
  }
  for (; band_ < reducedHeight_; ++band_) {
    emit(band_, sums_.data());
    std::fill(sums_.begin(), sums_.end(), 0);
  }
}

void BoxReducer::emit(std::uint32_t reducedRow, const std::uint16_t* sums) {
  const std::uint32_t f = static_cast<std::uint32_t>(factor_);
  const std::uint32_t rows = std::min(f, height_ - reducedRow * f);
  std::uint8_t* out = bits_ + static_cast<std::size_t>(reducedHeight_ - 1 - reducedRow) * stride_;
  for (std::uint32_t x = 0; x < reducedWidth_; ++x, out += 3, sums += 3) {
    const std::uint32_t n = rows * std::min(f, width_ - x * f);
    for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((sums[c] + n / 2) / n);
  }
}

}  // namespace warpix

#include "raster/DibRowWriter.h"

#include "raster/Image.h"

namespace warpix {

namespace {

constexpr unsigned kBackground[3] = {255, 127, 31};  // blue, green, red

std::uint8_t over(unsigned value, unsigned alpha, unsigned background) {
  return static_cast<std::uint8_t>((value * alpha + background * (255 - alpha) + 127) / 255);
}

}  // namespace

DibRowWriter::DibRowWriter(std::uint32_t width, std::uint32_t height, int factor, Layout layout, std::uint8_t* bits)
    : width_(width), height_(height), layout_(layout), bits_(bits) {
  const std::uint32_t reducedWidth = BoxReducer::reducedSize(width, factor);
  stride_ = dibRowBytes(reducedWidth, 24);
  line_.resize(static_cast<std::size_t>(width) * 3);
  if (factor > 1) reducer_.emplace(width, height, factor, BoxReducer::Order::kTopDown, bits, stride_);
}

void DibRowWriter::addRow(std::uint32_t y, const std::uint8_t* pixels) {
  if (y >= height_) return;
  const bool alpha = layout_ == Layout::kRgba || layout_ == Layout::kBgra;
  const bool swap = layout_ == Layout::kRgb || layout_ == Layout::kRgba;
  const int step = alpha ? 4 : 3;
  std::uint8_t* out = reducer_ ? line_.data() : bits_ + static_cast<std::size_t>(height_ - 1 - y) * stride_;
  std::uint8_t* o = out;
  for (std::uint32_t x = 0; x < width_; ++x, pixels += step, o += 3) {
    const unsigned b = swap ? pixels[2] : pixels[0], g = pixels[1], r = swap ? pixels[0] : pixels[2];
    if (alpha) {
      o[0] = over(b, pixels[3], kBackground[0]);
      o[1] = over(g, pixels[3], kBackground[1]);
      o[2] = over(r, pixels[3], kBackground[2]);
    } else {
      o[0] = static_cast<std::uint8_t>(b);
      o[1] = static_cast<std::uint8_t>(g);
      o[2] = static_cast<std::uint8_t>(r);
    }
  }
  if (reducer_) reducer_->addRow(y, out);
}

void DibRowWriter::finish() {
  if (reducer_) reducer_->finish();
}

}  // namespace warpix

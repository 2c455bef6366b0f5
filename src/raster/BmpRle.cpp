#include "raster/BmpRle.h"

#include <algorithm>

namespace warpix {

BmpRle::BmpRle(int bitCount, int width, int height, std::span<std::uint8_t> rows, std::size_t stride)
    : bitCount_(bitCount), width_(width), height_(height), rows_(rows), stride_(stride) {}

// Pixels past the row's end are dropped, and the column stays put there so
// that no stream, however long, can push it past any limit.
void BmpRle::put(int value) {
  if (x_ >= width_) return;
  if (y_ < height_) {
    std::uint8_t& byte = rows_[static_cast<std::size_t>(y_) * stride_ +
                               static_cast<std::size_t>(bitCount_ == 8 ? x_ : x_ / 2)];
    if (bitCount_ == 8) {
      byte = static_cast<std::uint8_t>(value);
    } else if ((x_ & 1) == 0) {
      byte = static_cast<std::uint8_t>((byte & 0x0F) | (value << 4));
    } else {
      byte = static_cast<std::uint8_t>((byte & 0xF0) | (value & 0x0F));
    }
  }
  ++x_;
}

// An encoded run: in 4-bit files the two nibbles of the value alternate.
void BmpRle::run(int count, int value) {
  for (int i = 0; i < count && x_ < width_; ++i) {
    put(bitCount_ == 8 ? value : (i & 1) == 0 ? value >> 4 : value & 0x0F);
  }
}

// Literal pixels, padded in the stream to a whole number of 16-bit words.
void BmpRle::absolute(std::span<const std::uint8_t> data, std::size_t& at, int count) {
  const std::size_t bytes = bitCount_ == 8 ? static_cast<std::size_t>(count) : (static_cast<std::size_t>(count) + 1) / 2;
  for (int i = 0; i < count; ++i) {
    const std::size_t index = bitCount_ == 8 ? at + i : at + i / 2;
    if (index >= data.size()) break;
    const int byte = data[index];
    put(bitCount_ == 8 ? byte : (i & 1) == 0 ? byte >> 4 : byte & 0x0F);
  }
  at += bytes + (bytes & 1);
}

void BmpRle::decode(std::span<const std::uint8_t> data) {
  std::size_t at = 0;
  while (at + 2 <= data.size() && y_ < height_) {
    const int first = data[at];
    const int second = data[at + 1];
    at += 2;
    if (first > 0) {
      run(first, second);
    } else if (second == 0) {  // end of line
      x_ = 0;
      ++y_;
    } else if (second == 1) {  // end of picture
      return;
    } else if (second == 2) {  // move right and up
      if (at + 2 > data.size()) return;
      x_ = std::min(x_ + data[at], width_);
      y_ = std::min(y_ + data[at + 1], height_);
      at += 2;
    } else {
      absolute(data, at, second);
    }
  }
}

}  // namespace warpix

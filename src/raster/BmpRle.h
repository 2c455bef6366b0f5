#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace warpix {

// Expands the run-length encodings of 8- and 4-bit BMP files into plain
// bottom-up rows. Hostile streams are harmless: runs are clipped at the row
// end, rows beyond the picture are dropped, and a stream that stops early
// leaves the remaining pixels at index 0 (as do pixels skipped by a delta).
class BmpRle {
 public:
  // `rows` holds height rows of `stride` bytes, zeroed, row 0 at the bottom.
  BmpRle(int bitCount, int width, int height, std::span<std::uint8_t> rows, std::size_t stride);

  void decode(std::span<const std::uint8_t> data);

 private:
  void put(int value);
  void absolute(std::span<const std::uint8_t> data, std::size_t& at, int count);
  void run(int count, int value);

  int bitCount_;
  int width_;
  int height_;
  std::span<std::uint8_t> rows_;
  std::size_t stride_;
  int x_ = 0;
  int y_ = 0;
};

}  // namespace warpix

#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "raster/BoxReducer.h"

namespace warpix {

// Puts the rows a decoding library hands out, top row first, into the
// bottom-up 24-bit rows of a DIB: red-green-blue turned to blue-green-red,
// transparency blended over light blue (31, 127, 255) as PNG files are, and
// shrunk by `factor` through a BoxReducer when it is above 1.
class DibRowWriter {
 public:
  enum class Layout { kRgb, kRgba, kBgr, kBgra };

  // `bits`: the DIB's rows, for the picture after shrinking, padding zero.
  // Throws std::bad_alloc when the working rows cannot be had.
  DibRowWriter(std::uint32_t width, std::uint32_t height, int factor, Layout layout, std::uint8_t* bits);

  void addRow(std::uint32_t y, const std::uint8_t* pixels);
  // Call once after the last row.
  void finish();

 private:
  std::uint32_t width_, height_;
  Layout layout_;
  std::uint8_t* bits_;
  std::size_t stride_;
  std::vector<std::uint8_t> line_;
  std::optional<BoxReducer> reducer_;
};

}  // namespace warpix

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace warpix {

// The orientation a camera recorded in a JPEG's Exif block, and how to turn
// decoded rows upright. Values follow the TIFF tag 0x0112: 1 upright,
// 2 mirrored, 3 turned half round, 4 flipped, 5 transposed, 6 to be turned
// a quarter clockwise, 7 transversed, 8 to be turned a quarter anticlockwise.
class ExifOrientation {
 public:
  // The orientation in the payload of an APP1 marker ("Exif\0\0" and a TIFF
  // structure); 1 when the block is absent, damaged or holds no valid value.
  static int fromApp1(std::span<const std::uint8_t> payload);

  // Whether the upright picture has width and height exchanged.
  static bool swapsAxes(int orientation) { return orientation >= 5 && orientation <= 8; }

  // Writes the upright form of a 24-bit bottom-up DIB `source` (width x
  // height, rows of `sourceStride` bytes) to `target`, whose rows are
  // `targetStride` bytes and whose size is the upright one.
  static void apply(int orientation, const std::uint8_t* source, int width, int height, std::size_t sourceStride,
                    std::uint8_t* target, std::size_t targetStride);
};

}  // namespace warpix

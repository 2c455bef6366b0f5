#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "raster/BmpHeader.h"

namespace warpix {

// The rows of a BMP file as 24-bit blue, green, red, whatever the file's
// depth, compression or row order: for decoders that convert or shrink
// rather than keep the file's own layout. Colour indices beyond the file's
// table take the standard colours a fresh DIB table holds. Run-length
// files are expanded once into one byte or half a byte a pixel.
class BmpRowReader {
 public:
  // Throws std::bad_alloc when the buffers cannot be had.
  BmpRowReader(const BinaryFile& file, const BmpHeader& header);

  // False when the file cannot be read this way (a damaged table, masks
  // whose bits are not contiguous); row() must not be called then.
  bool ready() const { return ready_; }
  // Source row `y`, counted from the top, into `out` (width x 3 bytes);
  // false when the file's bytes cannot be read.
  bool row(int y, std::uint8_t* out);

 private:
  const std::uint8_t* fileRow(int row);
  bool readPalette();
  bool readMasks();
  bool expandRunLengths();
  void fromIndices(const std::uint8_t* line, std::uint8_t* out) const;
  void fromMasks(const std::uint8_t* line, std::uint8_t* out) const;

  struct Mask {
    std::uint32_t mask = 0;
    int shift = 0, bits = 0;
    std::uint32_t max = 0;
    std::uint8_t value(std::uint32_t pixel) const;
  };

  const BinaryFile& file_;
  const BmpHeader& h_;
  bool ready_ = false;
  std::size_t stride_;  // bytes of one file row
  std::array<std::uint8_t, 256 * 3> palette_{};
  std::array<Mask, 3> masks_{};  // red, green, blue
  // A block of file rows read at once, rather than one read per row.
  std::vector<std::uint8_t> block_;
  int blockFirst_ = 0, blockRows_ = 0;
  std::vector<std::uint8_t> indices_;  // run-length files, bottom-up
};

}  // namespace warpix

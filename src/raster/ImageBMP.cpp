#include "raster/ImageBMP.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "platform/BinaryFile.h"
#include "raster/BmpHeader.h"
#include "raster/BmpRle.h"
#include "raster/BmpRowReader.h"
#include "raster/BoxReducer.h"
#include "raster/DecodeScale.h"

namespace warpix {

ImageBMP::ImageBMP(const std::string& path, int sceneWidth, int divisor) : Image(path) {
  const auto file = BinaryFile::open(path);
  if (!file) return;
  const auto header = BmpHeader::read(*file);
  if (!header) return;
  const int factor = DecodeScale(sceneWidth, divisor).factorFor(static_cast<std::uint32_t>(header->width),
                                                                static_cast<std::uint32_t>(header->height));
  if (factor == 0) return;
  try {
    setLoaded(decode(*file, *header, factor));
  } catch (const std::bad_alloc&) {
    setLoaded(false);
  }
}

bool ImageBMP::decode(const BinaryFile& file, const BmpHeader& h, int factor) {
  if (factor > 1) return readReduced(file, h, factor);
  const bool toTrueColour = h.compression == BmpHeader::kBitfields;
  if (!allocate(toTrueColour ? 24 : h.bitCount, h.width, h.height)) return false;
  if (!readPalette(file, h)) return false;
  switch (h.compression) {
    case BmpHeader::kBitfields:
      return readBitfields(file, h);
    case BmpHeader::kRle8:
    case BmpHeader::kRle4:
      return readRunLengths(file, h);
    default:
      return readRows(file, h);
  }
}

// The file's entries over the standard table that allocate laid down, so an
// index beyond a short table still names a colour.
bool ImageBMP::readPalette(const BinaryFile& file, const BmpHeader& h) {
  if (h.bitCount > 8 || h.colours == 0) return true;
  std::vector<std::uint8_t> table(static_cast<std::size_t>(h.colours) * h.entryBytes);
  if (!file.readAt(h.paletteOffset, table.data(), table.size())) return false;
  const std::uint32_t kept = std::min(h.colours, colourCount());
  std::uint8_t* out = mutableHeader() + kHeaderSize;
  for (std::uint32_t i = 0; i < kept; ++i) {
    std::memcpy(out + 4 * i, table.data() + i * h.entryBytes, 3);
    out[4 * i + 3] = h.entryBytes == 4 ? table[i * 4 + 3] : 0;
  }
  return true;
}

bool ImageBMP::readRows(const BinaryFile& file, const BmpHeader& h) {
  if (!file.readAt(h.dataOffset, mutableBits(), h.dataSize)) return false;
  if (h.topDown) {
    // One read, then the rows turned over in place.
    const std::size_t stride = rowBytes(h.width, h.bitCount);
    for (int row = 0; row < h.height / 2; ++row) {
      std::uint8_t* top = mutableBits() + static_cast<std::size_t>(row) * stride;
      std::swap_ranges(top, top + stride, mutableBits() + static_cast<std::size_t>(h.height - 1 - row) * stride);
    }
  }
  return true;
}

bool ImageBMP::readBitfields(const BinaryFile& file, const BmpHeader& h) {
  BmpRowReader reader(file, h);
  if (!reader.ready()) return false;
  const std::size_t stride = rowBytes(h.width, 24);
  for (int y = 0; y < h.height; ++y) {
    if (!reader.row(y, mutableBits() + static_cast<std::size_t>(h.height - 1 - y) * stride)) return false;
  }
  return true;
}

// Row by row into the boxes, so the full-size picture is never held.
bool ImageBMP::readReduced(const BinaryFile& file, const BmpHeader& h, int factor) {
  BmpRowReader reader(file, h);
  if (!reader.ready()) return false;
  const auto width = static_cast<std::uint32_t>(h.width), height = static_cast<std::uint32_t>(h.height);
  const std::uint32_t w = BoxReducer::reducedSize(width, factor), ht = BoxReducer::reducedSize(height, factor);
  if (!allocate(24, static_cast<int>(w), static_cast<int>(ht))) return false;
  BoxReducer reducer(width, height, factor, BoxReducer::Order::kTopDown, mutableBits(), rowBytes(w, 24));
  std::vector<std::uint8_t> line(static_cast<std::size_t>(width) * 3);
  for (std::uint32_t y = 0; y < height; ++y) {
    if (!reader.row(static_cast<int>(y), line.data())) return false;
    reducer.addRow(y, line.data());
  }
  reducer.finish();
  return true;
}

bool ImageBMP::readRunLengths(const BinaryFile& file, const BmpHeader& h) {
  // A valid stream never needs more than two bytes a pixel plus the line
  // ends; whatever a file holds beyond that is not read.
  const std::uint64_t pixels = static_cast<std::uint64_t>(h.width) * h.height;
  const std::uint64_t useful = 2 * pixels + 4 * static_cast<std::uint64_t>(h.height) + 64;
  std::vector<std::uint8_t> data(static_cast<std::size_t>(std::min(h.dataSize, useful)));
  if (!file.readAt(h.dataOffset, data.data(), data.size())) return false;
  const std::size_t stride = rowBytes(h.width, h.bitCount);
  BmpRle rle(h.bitCount, h.width, h.height, {mutableBits(), stride * h.height}, stride);
  rle.decode(data);
  return true;
}

}  // namespace warpix

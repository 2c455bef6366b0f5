#include "raster/ImageBMP.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <optional>
#include <vector>

#include "platform/BinaryFile.h"
#include "raster/BmpHeader.h"
#include "raster/BmpRle.h"
#include "raster/ByteOrder.h"

namespace warpix {

namespace {

// One colour channel of a bit-field pixel, widened or narrowed to 8 bits.
class Channel {
 public:
  // Empty for a mask whose bits are not contiguous.
  static std::optional<Channel> of(std::uint32_t mask) {
    Channel c;
    c.mask_ = mask;
    if (mask == 0) return c;
    c.shift_ = std::countr_zero(mask);
    const std::uint32_t field = mask >> c.shift_;
    if ((field & (field + 1)) != 0) return std::nullopt;
    c.bits_ = std::popcount(field);
    c.max_ = field;
    return c;
  }

  std::uint8_t value(std::uint32_t pixel) const {
    if (bits_ == 0) return 0;
    const std::uint32_t v = (pixel & mask_) >> shift_;
    if (bits_ >= 8) return static_cast<std::uint8_t>(v >> (bits_ - 8));
    return static_cast<std::uint8_t>((v * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  int bits_ = 0;
  std::uint32_t max_ = 0;
};

}  // namespace

ImageBMP::ImageBMP(const std::string& path, int /*divisor*/) : Image(path) {
  const auto file = BinaryFile::open(path);
  if (!file) return;
  const auto header = BmpHeader::read(*file);
  if (!header) return;
  try {
    setLoaded(decode(*file, *header));
  } catch (const std::bad_alloc&) {
    setLoaded(false);
  }
}

bool ImageBMP::decode(const BinaryFile& file, const BmpHeader& h) {
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
  if (!h.topDown) return file.readAt(h.dataOffset, mutableBits(), h.dataSize);
  const std::size_t stride = rowBytes(h.width, h.bitCount);
  for (int row = 0; row < h.height; ++row) {
    std::uint8_t* out = mutableBits() + static_cast<std::size_t>(h.height - 1 - row) * stride;
    if (!file.readAt(h.dataOffset + static_cast<std::uint64_t>(row) * stride, out, stride)) return false;
  }
  return true;
}

bool ImageBMP::readBitfields(const BinaryFile& file, const BmpHeader& h) {
  const auto red = Channel::of(h.masks[0]);
  const auto green = Channel::of(h.masks[1]);
  const auto blue = Channel::of(h.masks[2]);
  if (!red || !green || !blue) return false;
  const std::size_t inStride = rowBytes(h.width, h.bitCount);
  const std::size_t outStride = rowBytes(h.width, 24);
  const int bytesPerPixel = h.bitCount / 8;
  std::vector<std::uint8_t> line(inStride);
  for (int row = 0; row < h.height; ++row) {
    if (!file.readAt(h.dataOffset + static_cast<std::uint64_t>(row) * inStride, line.data(), inStride)) return false;
    const int dibRow = h.topDown ? h.height - 1 - row : row;
    std::uint8_t* out = mutableBits() + static_cast<std::size_t>(dibRow) * outStride;
    for (int x = 0; x < h.width; ++x, out += 3) {
      const std::uint8_t* p = line.data() + static_cast<std::size_t>(x) * bytesPerPixel;
      const std::uint32_t pixel = bytesPerPixel == 2 ? readLE16(p) : readLE32(p);
      out[0] = blue->value(pixel);
      out[1] = green->value(pixel);
      out[2] = red->value(pixel);
    }
  }
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

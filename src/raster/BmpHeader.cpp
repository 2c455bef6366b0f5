#include "raster/BmpHeader.h"

#include <climits>

#include "raster/ByteOrder.h"
#include "raster/Image.h"

namespace warpix {

namespace {

bool knownHeaderSize(std::uint32_t size) {
  return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool depthFits(const BmpHeader& h) {
  const int b = h.bitCount;
  if (h.headerSize == 12) return b == 1 || b == 4 || b == 8 || b == 24;
  switch (h.compression) {
    case BmpHeader::kRgb:
      return b == 1 || b == 4 || b == 8 || b == 16 || b == 24 || b == 32;
    case BmpHeader::kRle8:
      return b == 8 && !h.topDown;  // run-length rows are bottom-up by definition
    case BmpHeader::kRle4:
      return b == 4 && !h.topDown;
    case BmpHeader::kBitfields:
      return b == 16 || b == 32;
    default:
      return false;  // embedded JPEG or PNG, CMYK and other rarities
  }
}

// Fills the dimensions and depth from the info header in `info`.
bool parseInfo(const std::uint8_t* info, BmpHeader& h) {
  if (h.headerSize == 12) {
    h.width = readLE16(info + 4);
    h.height = readLE16(info + 6);
    h.bitCount = readLE16(info + 10);
    h.entryBytes = 3;
    return h.width > 0 && h.height > 0;
  }
  const std::int32_t width = readLE32s(info + 4);
  const std::int32_t height = readLE32s(info + 8);
  if (width <= 0 || height == 0 || height == INT32_MIN) return false;
  h.width = width;
  h.height = height < 0 ? -height : height;
  h.topDown = height < 0;
  h.bitCount = readLE16(info + 14);
  h.compression = readLE32(info + 16);
  h.colours = readLE32(info + 32);
  h.dataSize = readLE32(info + 20);  // for run-length data: its compressed size, if given
  if (h.headerSize >= 52) {
    for (int i = 0; i < 3; ++i) h.masks[i] = readLE32(info + 40 + 4 * i);
  }
  return true;
}

// A run paints at most 255 pixels with 2 bytes, so an encoder that writes
// every pixel needs a byte for every 128 of them. Skips (deltas, an early
// end) can claim far more, and a few bytes could make us allocate and
// expand a picture of the whole budget: a stream that could not paint even
// half its picture is taken for damaged. Small pictures are always read.
bool plausibleRunLengths(const BmpHeader& h) {
  constexpr std::uint64_t kPixelsPerByte = 256, kAlwaysRead = 256 * 256;
  const std::uint64_t pixels = static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.height);
  return pixels <= kAlwaysRead || pixels <= kPixelsPerByte * h.dataSize;
}

}  // namespace

std::optional<BmpHeader> BmpHeader::read(const BinaryFile& file) {
  const std::uint64_t fileSize = file.size();
  std::uint8_t start[14];
  if (!file.readAt(0, start, sizeof start)) return std::nullopt;
  const bool hasFileHeader = start[0] == 'B' && start[1] == 'M';
  const std::uint64_t infoOffset = hasFileHeader ? 14 : 0;
  const std::uint64_t offBits = hasFileHeader ? readLE32(start + 10) : 0;

  BmpHeader h;
  std::uint8_t info[124];
  if (!file.readAt(infoOffset, info, 4)) return std::nullopt;
  h.headerSize = readLE32(info);
  if (!knownHeaderSize(h.headerSize) || !file.readAt(infoOffset, info, h.headerSize)) return std::nullopt;
  if (!parseInfo(info, h) || !depthFits(h)) return std::nullopt;

  std::uint64_t position = infoOffset + h.headerSize;
  if (h.compression == kBitfields && h.headerSize == 40) {
    // The three masks stand where the colour table would.
    std::uint8_t masks[12];
    if (!file.readAt(position, masks, sizeof masks)) return std::nullopt;
    for (int i = 0; i < 3; ++i) h.masks[i] = readLE32(masks + 4 * i);
    position += sizeof masks;
  }
  if (h.colours > 256) return std::nullopt;
  if (h.colours == 0 && h.bitCount <= 8) h.colours = 1u << h.bitCount;
  h.paletteOffset = position;
  position += static_cast<std::uint64_t>(h.colours) * h.entryBytes;
  if (position > fileSize) return std::nullopt;

  h.dataOffset = offBits != 0 ? offBits : position;
  if (h.dataOffset > fileSize) return std::nullopt;
  const std::uint64_t available = fileSize - h.dataOffset;
  if (h.compression == kRle8 || h.compression == kRle4) {
    if (h.dataSize == 0 || h.dataSize > available) h.dataSize = available;
    if (!plausibleRunLengths(h)) return std::nullopt;
  } else {
    h.dataSize = static_cast<std::uint64_t>(dibRowBytes(h.width, h.bitCount)) * h.height;
    if (h.dataSize > available) return std::nullopt;  // the rows it claims are not there
  }
  return h;
}

}  // namespace warpix

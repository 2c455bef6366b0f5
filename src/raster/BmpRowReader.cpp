#include "raster/BmpRowReader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "raster/BmpRle.h"
#include "raster/ByteOrder.h"
#include "raster/Image.h"

namespace warpix {

std::uint8_t BmpRowReader::Mask::value(std::uint32_t pixel) const {
  if (bits == 0) return 0;
  const std::uint32_t v = (pixel & mask) >> shift;
  if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
  return static_cast<std::uint8_t>((v * 255 + max / 2) / max);
}

BmpRowReader::BmpRowReader(const BinaryFile& file, const BmpHeader& header)
    : file_(file), h_(header), stride_(dibRowBytes(static_cast<std::uint32_t>(header.width), header.bitCount)) {
  const bool runLengths = h_.compression == BmpHeader::kRle8 || h_.compression == BmpHeader::kRle4;
  if (!runLengths) {
    constexpr std::size_t kBlockBytes = 1 << 20;
    const std::size_t rows = std::clamp<std::size_t>(kBlockBytes / stride_, 1, static_cast<std::size_t>(h_.height));
    block_.resize(rows * stride_);
  }
  if (h_.bitCount <= 8) ready_ = readPalette() && (!runLengths || expandRunLengths());
  else ready_ = h_.bitCount == 24 || readMasks();
}

bool BmpRowReader::readPalette() {
  for (std::uint32_t i = 0; i < 256; ++i) {
    const std::uint32_t c = Image::standardColour(i);
    palette_[3 * i] = static_cast<std::uint8_t>(c);
    palette_[3 * i + 1] = static_cast<std::uint8_t>(c >> 8);
    palette_[3 * i + 2] = static_cast<std::uint8_t>(c >> 16);
  }
  if (h_.colours == 0) return true;
  std::vector<std::uint8_t> table(static_cast<std::size_t>(h_.colours) * h_.entryBytes);
  if (!file_.readAt(h_.paletteOffset, table.data(), table.size())) return false;
  for (std::uint32_t i = 0; i < std::min(h_.colours, 256u); ++i) {
    std::memcpy(palette_.data() + 3 * i, table.data() + i * h_.entryBytes, 3);
  }
  return true;
}

bool BmpRowReader::readMasks() {
  std::array<std::uint32_t, 3> masks = h_.masks;
  if (h_.compression != BmpHeader::kBitfields) {
    masks = h_.bitCount == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                              : std::array<std::uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
  }
  for (int i = 0; i < 3; ++i) {
    Mask& m = masks_[i];
    m.mask = masks[i];
    if (m.mask == 0) continue;
    m.shift = std::countr_zero(m.mask);
    const std::uint32_t field = m.mask >> m.shift;
    if ((field & (field + 1)) != 0) return false;  // bits not contiguous
    m.bits = std::popcount(field);
    m.max = field;
  }
  return true;
}

// Run-length data can only be read whole, so it is expanded once, at the
// file's own depth: a byte or half a byte a pixel, not three.
bool BmpRowReader::expandRunLengths() {
  const std::uint64_t pixels = static_cast<std::uint64_t>(h_.width) * h_.height;
  if (pixels > kMaxDecodedPixels) return false;
  const std::uint64_t useful = 2 * pixels + 4 * static_cast<std::uint64_t>(h_.height) + 64;
  std::vector<std::uint8_t> data(static_cast<std::size_t>(std::min(h_.dataSize, useful)));
  if (!file_.readAt(h_.dataOffset, data.data(), data.size())) return false;
  indices_.assign(stride_ * static_cast<std::size_t>(h_.height), 0);
  BmpRle rle(h_.bitCount, h_.width, h_.height, indices_, stride_);
  rle.decode(data);
  return true;
}

// Rows are asked for top first, which is last first in a bottom-up file:
// a block then ends at the row asked for.
const std::uint8_t* BmpRowReader::fileRow(int row) {
  if (!indices_.empty()) return indices_.data() + static_cast<std::size_t>(row) * stride_;
  if (row < blockFirst_ || row >= blockFirst_ + blockRows_) {
    const int capacity = static_cast<int>(block_.size() / stride_);
    blockFirst_ = h_.topDown ? row : std::max(0, row - capacity + 1);
    blockRows_ = std::min(capacity, h_.height - blockFirst_);
    const std::uint64_t at = h_.dataOffset + static_cast<std::uint64_t>(blockFirst_) * stride_;
    if (!file_.readAt(at, block_.data(), static_cast<std::size_t>(blockRows_) * stride_)) {
      blockRows_ = 0;
      return nullptr;
    }
  }
  return block_.data() + static_cast<std::size_t>(row - blockFirst_) * stride_;
}

bool BmpRowReader::row(int y, std::uint8_t* out) {
  const std::uint8_t* line = fileRow(h_.topDown ? y : h_.height - 1 - y);
  if (line == nullptr) return false;
  if (h_.bitCount <= 8) fromIndices(line, out);
  else if (h_.bitCount == 24) std::memcpy(out, line, static_cast<std::size_t>(h_.width) * 3);
  else fromMasks(line, out);
  return true;
}

void BmpRowReader::fromIndices(const std::uint8_t* line, std::uint8_t* out) const {
  const int bits = h_.bitCount;
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (int x = 0; x < h_.width; ++x, out += 3) {
    const int shift = 8 - bits * (x % perByte + 1);
    const unsigned index = (line[x / perByte] >> shift) & mask;
    std::memcpy(out, palette_.data() + 3 * index, 3);
  }
}

void BmpRowReader::fromMasks(const std::uint8_t* line, std::uint8_t* out) const {
  const int bytesPerPixel = h_.bitCount / 8;
  for (int x = 0; x < h_.width; ++x, out += 3, line += bytesPerPixel) {
    const std::uint32_t pixel = bytesPerPixel == 2 ? readLE16(line) : readLE32(line);
    out[0] = masks_[2].value(pixel);
    out[1] = masks_[1].value(pixel);
    out[2] = masks_[0].value(pixel);
  }
}

}  // namespace warpix

#include "raster/Image.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <span>
#include <utility>

#include "platform/BinaryFile.h"
#include "raster/ByteOrder.h"

namespace warpix {

namespace {

// The sixteen standard display colours as 0x00RRGGBB.
constexpr std::array<std::uint32_t, 16> kStandardColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

}  // namespace

Image::Image(std::string path) : path_(std::move(path)) {}

Image::Image(const Surface& screen) {
  if (!allocate(32, screen.width(), screen.height())) return;
  const std::uint32_t stride = rowBytes(width_, 32);
  // The surface is top-down, the DIB bottom-up; a pixel's bytes are already
  // blue, green, red, 0 in both.
  for (int y = 0; y < height_; ++y) {
    std::memcpy(bits_ + static_cast<std::size_t>(height_ - 1 - y) * stride, screen.row(y),
                static_cast<std::size_t>(width_) * 4);
  }
  loaded_ = true;
}

Image::~Image() = default;

std::uint32_t Image::standardColour(std::uint32_t index) { return kStandardColours[index % 16]; }

int Image::bitCount() const { return header_ != nullptr ? readLE16(header_ + 14) : 0; }

std::uint32_t Image::colourCount() const { return header_ != nullptr ? readLE32(header_ + 32) : 0; }

bool Image::allocate(int bitCount, int width, int height) {
  const bool depthOk = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
                       bitCount == 24 || bitCount == 32;
  if (!depthOk || width <= 0 || height <= 0) return false;
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxDecodedPixels) return false;
  const std::uint64_t size = static_cast<std::uint64_t>(rowBytes(width, bitCount)) * static_cast<std::uint64_t>(height);
  const std::uint32_t colours = bitCount <= 8 ? (1u << bitCount) : 0;
  const std::size_t total = kHeaderSize + colours * 4 + static_cast<std::size_t>(size);
  std::unique_ptr<std::uint8_t[], FreeBlock> block(static_cast<std::uint8_t*>(std::calloc(total, 1)));
  if (!block) return false;

  std::uint8_t* h = block.get();
  writeLE32(h + 0, kHeaderSize);
  writeLE32(h + 4, static_cast<std::uint32_t>(width));
  writeLE32(h + 8, static_cast<std::uint32_t>(height));
  writeLE16(h + 12, 1);
  writeLE16(h + 14, static_cast<std::uint16_t>(bitCount));
  writeLE32(h + 20, static_cast<std::uint32_t>(size));
  writeLE32(h + 32, colours);
  for (std::uint32_t i = 0; i < colours; ++i) writeLE32(h + kHeaderSize + i * 4, kStandardColours[i % 16]);
  block_ = std::move(block);
  blockSize_ = total;
  bindFields();
  return true;
}

void Image::FreeBlock::operator()(std::uint8_t* block) const { std::free(block); }

void Image::bindFields() {
  header_ = block_.get();
  width_ = readLE32s(header_ + 4);
  height_ = readLE32s(header_ + 8);
  imageSize_ = readLE32(header_ + 20);
  bits_ = header_ + kHeaderSize + colourCount() * 4;
}

void Image::swapRedBlue() {
  const std::uint32_t stride = rowBytes(width_, 24);
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* p = bits_ + static_cast<std::size_t>(y) * stride;
    for (int x = 0; x < width_; ++x, p += 3) std::swap(p[0], p[2]);
  }
}

bool Image::Save(const std::string& path) const {
  if (!loaded_) return false;
  const std::uint32_t biSize = readLE32(header_);
  const std::uint32_t clrUsed = colourCount();
  const int bits = bitCount();
  std::uint32_t tableBytes = clrUsed * 4;
  if (clrUsed == 0 && bits <= 8) tableBytes = (1u << bits) * 4;
  const std::uint32_t blockBytes = biSize + imageSize_ + clrUsed * 4;
  if (blockBytes > blockSize_) return false;

  std::array<std::uint8_t, kFileHeaderSize> file{};
  writeLE16(file.data() + 0, 0x4D42);
  writeLE32(file.data() + 2, blockBytes + kFileHeaderSize);
  writeLE32(file.data() + 10, biSize + static_cast<std::uint16_t>(tableBytes) + kFileHeaderSize);
  return replaceFile(path, {std::span<const std::uint8_t>(file), std::span<const std::uint8_t>(header_, blockBytes)});
}

}  // namespace warpix

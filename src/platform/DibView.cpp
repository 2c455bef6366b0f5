#include "platform/DibView.h"

#include <algorithm>
#include <cstring>

namespace warpix {
namespace {

std::uint32_t le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// 5-bit channels are widened by repeating their top bits, so 31 becomes 255
// and full white stays white.
constexpr int widen5(unsigned v) { return static_cast<int>((v << 3) | (v >> 2)); }

constexpr std::uint32_t kMaxInfoSize = 4096;
constexpr int kOffWidth = 4, kOffHeight = 8, kOffPlanes = 12, kOffBitCount = 14;
constexpr int kOffCompression = 16, kOffSizeImage = 20, kOffClrUsed = 32;

}  // namespace

DibView::DibView(const std::uint8_t* info, const std::uint8_t* bits) : bits_(bits) {
  if (info == nullptr || bits == nullptr) return;
  const std::uint32_t infoSize = le32(info);
  if (infoSize < 40 || infoSize > kMaxInfoSize) return;
  const auto width = static_cast<std::int32_t>(le32(info + kOffWidth));
  const auto height = static_cast<std::int32_t>(le32(info + kOffHeight));
  const int planes = le16(info + kOffPlanes);
  const int bitCount = le16(info + kOffBitCount);
  const std::uint32_t compression = le32(info + kOffCompression);
  const std::uint32_t sizeImage = le32(info + kOffSizeImage);
  const std::uint32_t clrUsed = le32(info + kOffClrUsed);

  if (planes != 1 || compression != 0) return;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return;
  // Compare in 64 bits: the most negative height has no positive twin.
  const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  if (width <= 0 || width > kMaxSide || rows == 0 || rows > kMaxSide) return;

  rowBytes_ = ((static_cast<std::int64_t>(width) * bitCount + 31) / 32) * 4;
  if (sizeImage != 0 && static_cast<std::int64_t>(sizeImage) < rowBytes_ * rows) return;

  if (bitCount <= 8) {
    const std::uint32_t full = 1u << bitCount;
    if (clrUsed > 256) return;
    const std::uint32_t colours = clrUsed == 0 ? full : std::min(clrUsed, full);
    const std::uint8_t* table = info + infoSize;
    for (std::uint32_t i = 0; i < colours; ++i) {
      const std::uint8_t* q = table + 4 * i;  // blue, green, red, reserved
      palette_[i] = makePixel(q[2], q[1], q[0]);
    }
  }
  width_ = width;
  height_ = static_cast<int>(rows);
  bitCount_ = bitCount;
  bottomUp_ = height > 0;
  valid_ = true;
}

const std::uint8_t* DibView::rowStart(int y) const {
  const std::int64_t stored = bottomUp_ ? height_ - 1 - y : y;
  return bits_ + stored * rowBytes_;
}

void DibView::readRow(int y, int x0, int count, Pixel* out) const {
  const std::uint8_t* src = rowStart(y);
  switch (bitCount_) {
    case 1:
      for (int i = 0; i < count; ++i) {
        const int x = x0 + i;
        out[i] = palette_[(src[x >> 3] >> (7 - (x & 7))) & 1];
      }
      break;
    case 4:
      for (int i = 0; i < count; ++i) {
        const int x = x0 + i;
        const std::uint8_t b = src[x >> 1];
        out[i] = palette_[(x & 1) ? (b & 0x0F) : (b >> 4)];
      }
      break;
    case 8:
      for (int i = 0; i < count; ++i) out[i] = palette_[src[x0 + i]];
      break;
    case 16:
      for (int i = 0; i < count; ++i) {
        const unsigned v = le16(src + 2 * (x0 + i));
        out[i] = makePixel(widen5((v >> 10) & 31), widen5((v >> 5) & 31), widen5(v & 31));
      }
      break;
    case 24: {
      const std::uint8_t* p = src + 3 * static_cast<std::int64_t>(x0);
      int i = 0;
      // Four pixels from three 32-bit loads: the hot path of every photo.
      for (; i + 4 <= count; i += 4, p += 12) {
        std::uint32_t w[3];
        std::memcpy(w, p, sizeof w);
        out[i] = w[0] & 0x00FFFFFFu;
        out[i + 1] = ((w[0] >> 24) | (w[1] << 8)) & 0x00FFFFFFu;
        out[i + 2] = ((w[1] >> 16) | (w[2] << 16)) & 0x00FFFFFFu;
        out[i + 3] = w[2] >> 8;
      }
      for (; i < count; ++i, p += 3)
        out[i] = static_cast<Pixel>(p[0]) | (static_cast<Pixel>(p[1]) << 8) | (static_cast<Pixel>(p[2]) << 16);
      break;
    }
    case 32: {
      // Blue, green, red, unused: the same byte order as a screen pixel,
      // so a row copies across and the unused byte is cleared.
      std::memcpy(out, src + 4 * static_cast<std::int64_t>(x0), static_cast<std::size_t>(count) * 4);
      for (int i = 0; i < count; ++i) out[i] &= 0x00FFFFFFu;
      break;
    }
    default:
      break;
  }
}

}  // namespace warpix

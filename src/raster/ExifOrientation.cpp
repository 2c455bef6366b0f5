#include "raster/ExifOrientation.h"

#include <cstring>

namespace warpix {

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kTypeShort = 3;

// Reads TIFF integers in the byte order the block declares, never past its end.
class TiffReader {
 public:
  TiffReader(std::span<const std::uint8_t> tiff, bool bigEndian) : tiff_(tiff), bigEndian_(bigEndian) {}

  bool has(std::size_t offset, std::size_t count) const {
    return offset <= tiff_.size() && count <= tiff_.size() - offset;
  }
  std::uint16_t u16(std::size_t at) const {
    const std::uint8_t* p = tiff_.data() + at;
    return static_cast<std::uint16_t>(bigEndian_ ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0]);
  }
  std::uint32_t u32(std::size_t at) const {
    const std::uint32_t hi = u16(at), lo = u16(at + 2);
    return bigEndian_ ? (hi << 16) | lo : (lo << 16) | hi;
  }

 private:
  std::span<const std::uint8_t> tiff_;
  bool bigEndian_;
};

}  // namespace

int ExifOrientation::fromApp1(std::span<const std::uint8_t> payload) {
  static constexpr std::uint8_t kSignature[6] = {'E', 'x', 'i', 'f', 0, 0};
  if (payload.size() < 6 + 8 || std::memcmp(payload.data(), kSignature, 6) != 0) return 1;
  const auto tiff = payload.subspan(6);
  const bool bigEndian = tiff[0] == 'M' && tiff[1] == 'M';
  if (!bigEndian && !(tiff[0] == 'I' && tiff[1] == 'I')) return 1;
  const TiffReader r(tiff, bigEndian);
  if (r.u16(2) != 42) return 1;
  const std::uint32_t ifd = r.u32(4);
  if (!r.has(ifd, 2)) return 1;
  const std::uint16_t entries = r.u16(ifd);
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::size_t entry = static_cast<std::size_t>(ifd) + 2 + 12 * static_cast<std::size_t>(i);
    if (!r.has(entry, 12)) return 1;
    if (r.u16(entry) != kOrientationTag) continue;
    if (r.u16(entry + 2) != kTypeShort || r.u32(entry + 4) != 1) return 1;
    const int value = r.u16(entry + 8);
    return value >= 1 && value <= 8 ? value : 1;
  }
  return 1;
}

void ExifOrientation::apply(int orientation, const std::uint8_t* source, int width, int height,
                            std::size_t sourceStride, std::uint8_t* target, std::size_t targetStride) {
  const bool swap = swapsAxes(orientation);
  const int outWidth = swap ? height : width;
  const int outHeight = swap ? width : height;
  // Coordinates below are top-down, as the picture is seen; DIB rows are
  // bottom-up, hence the turned-over row indexes.
  for (int y = 0; y < outHeight; ++y) {
    std::uint8_t* out = target + static_cast<std::size_t>(outHeight - 1 - y) * targetStride;
    for (int x = 0; x < outWidth; ++x, out += 3) {
      int sx = x, sy = y;
      switch (orientation) {
        case 2: sx = width - 1 - x; break;
        case 3: sx = width - 1 - x; sy = height - 1 - y; break;
        case 4: sy = height - 1 - y; break;
        case 5: sx = y; sy = x; break;
        case 6: sx = y; sy = height - 1 - x; break;
        case 7: sx = width - 1 - y; sy = height - 1 - x; break;
        case 8: sx = width - 1 - y; sy = x; break;
        default: break;
      }
      const std::uint8_t* in = source + static_cast<std::size_t>(height - 1 - sy) * sourceStride + 3 * static_cast<std::size_t>(sx);
      std::memcpy(out, in, 3);
    }
  }
}

}  // namespace warpix

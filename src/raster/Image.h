#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Surface.h"

namespace warpix {

// The largest picture a decoder will produce, in pixels: far above any
// screen, far below what a hostile header could make us allocate.
inline constexpr std::uint64_t kMaxDecodedPixels = 120'000'000;

// Bytes of one DIB row: padded to a multiple of four.
constexpr std::uint32_t dibRowBytes(std::uint32_t width, std::uint32_t bitCount) {
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4);
}

// A picture as one packed device-independent bitmap: a 40-byte
// BITMAPINFOHEADER, its colour table and the bottom-up rows, contiguous in
// one block, so it can be drawn, written to a BMP file or handed to a
// library unchanged. Decoders derive from it and fill the block.
class Image {
 public:
  static constexpr std::uint32_t kHeaderSize = 40;
  static constexpr std::uint32_t kFileHeaderSize = 14;

  // For a decoder: nothing loaded yet.
  explicit Image(std::string path);
  // A copy of the screen at the screen's own depth (32 bits per pixel).
  explicit Image(const Surface& screen);
  virtual ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  // Padding at the end of one 24-bit row.
  virtual int rowPadding() const { return width_ & 3; }
  virtual std::uint32_t rowBytes(int width, int bitCount) const {
    return dibRowBytes(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(bitCount));
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool loaded() const { return loaded_; }
  const std::string& path() const { return path_; }

  // The whole picture, unscaled, top-left corner at (x, y).
  void Draw(Surface& surface, int x, int y) const {
    if (loaded_) surface.drawDib(x, y, header_, bits_);
  }
  // Writes a BMP file, replacing `path` whole. False when no file was
  // written: nothing is loaded, or the write failed (errno then says why).
  // Whether that matters is the caller's to decide.
  [[nodiscard]] bool Save(const std::string& path) const;

  // The packed DIB: header and colour table, then the rows.
  const std::uint8_t* header() const { return header_; }
  const std::uint8_t* bits() const { return bits_; }
  std::uint32_t imageSize() const { return imageSize_; }
  int bitCount() const;
  std::uint32_t colourCount() const;
  // Entry `index` of the table a fresh 4- or 8-bit block holds: the sixteen
  // standard display colours, repeated, as 0x00RRGGBB.
  static std::uint32_t standardColour(std::uint32_t index);

 protected:
  // A zeroed block with a filled-in header and, for 4 and 8 bits, the
  // standard sixteen colours repeated; false when it cannot be had.
  bool allocate(int bitCount, int width, int height);
  std::uint8_t* mutableHeader() { return header_; }
  std::uint8_t* mutableBits() { return bits_; }
  void setLoaded(bool loaded) { loaded_ = loaded; }
  // Exchanges red and blue of every 24-bit pixel, row by row.
  void swapRedBlue();

 private:
  // Blocks come from calloc: the zero pages of a large block stay untouched
  // until a decoder writes them, so a small file claiming a large picture
  // costs no more than the pixels it really fills.
  struct FreeBlock {
    void operator()(std::uint8_t* block) const;
  };

  void bindFields();

  std::string path_;
  bool loaded_ = false;
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<std::uint8_t[], FreeBlock> block_;
  std::size_t blockSize_ = 0;
  std::uint8_t* header_ = nullptr;
  std::uint8_t* bits_ = nullptr;
  std::uint32_t imageSize_ = 0;
};

}  // namespace warpix

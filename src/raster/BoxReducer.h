#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace warpix {

// Shrinks a 24-bit picture by a whole factor (2, 4 or 8) while its pixels
// arrive, so the full-size picture never has to be held.
//
// The reduced picture has ceil(width / factor) x ceil(height / factor)
// pixels, the size libjpeg gives when it scales by 1/factor. Each reduced
// pixel is the mean of the source pixels in its factor x factor box, per
// channel, rounded to nearest (halves up); a box cut short by the right or
// bottom edge averages only the pixels it has.
//
// Pixels are three bytes each and reach the output unchanged in order, so
// blue-green-red input gives a blue-green-red DIB.
class BoxReducer {
 public:
  enum class Order {
    kTopDown,    // rows arrive once each, top first: one row of sums is kept
    kScattered,  // rows arrive in any order, in parts (interlaced files):
                 // sums are kept for the whole reduced picture
  };

  // `bits`: the reduced picture's bottom-up DIB rows, `stride` bytes each,
  // padding already zero. Throws std::bad_alloc when the sums cannot be had.
  BoxReducer(std::uint32_t width, std::uint32_t height, int factor, Order order, std::uint8_t* bits,
             std::size_t stride);

  static std::uint32_t reducedSize(std::uint32_t size, int factor) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(size) + factor - 1) / factor);
  }

  // A whole source row `y` of width pixels.
  void addRow(std::uint32_t y, const std::uint8_t* pixels);
  // `count` pixels of source row `y` at columns first, first + step, ...
  void addPixels(std::uint32_t y, const std::uint8_t* pixels, std::uint32_t count, std::uint32_t first,
                 std::uint32_t step);
  // Writes what is still summed; call once after the last pixel.
  void finish();

 private:
  std::uint16_t* sumsFor(std::uint32_t y);
  void emit(std::uint32_t reducedRow, const std::uint16_t* sums);

  std::uint32_t width_, height_;
  int factor_;
  Order order_;
  std::uint8_t* bits_;
  std::size_t stride_;
  std::uint32_t reducedWidth_, reducedHeight_;
  // At most 64 pixels of 255 per channel: a box's sum fits 16 bits.
  std::vector<std::uint16_t> sums_;
  std::uint32_t band_ = 0;  // the reduced row being summed (top-down order)
};

}  // namespace warpix

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/DirtyRegion.h"
#include "platform/Pixel.h"
#include "platform/PixelStore.h"

namespace warpix {

class CairoCanvas;
class Font;

// The drawing surface: a 32-bit framebuffer owned by the program, standing
// in for a GDI device context. Pixel access and blits are plain memory
// work; lines and text are drawn with Cairo and Pango (platform/linux).
// Rows are top-down. Writes outside the surface are clipped away.
class Surface {
 public:
  Surface(int width, int height);  // black
  // A surface over width x height pixels that someone else owns, rows
  // contiguous: a window's shared-memory image, so showing the surface
  // needs no copy. The memory must stay until the surface is replaced.
  Surface(int width, int height, Pixel* borrowed);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  Surface(Surface&&) noexcept;
  Surface& operator=(Surface&&) noexcept;

  int width() const { return width_; }
  int height() const { return height_; }
  // Pixels per row; rows are contiguous.
  int stride() const { return width_; }

  const Pixel* row(int y) const { return pixels_ + static_cast<std::size_t>(y) * width_; }
  // Mutable row access marks the row changed.
  Pixel* row(int y) {
    markDirty(y, y + 1);
    return pixels_ + static_cast<std::size_t>(y) * width_;
  }
  const Pixel* data() const { return pixels_; }
  // Raw pixels for hot loops that mark what they change themselves
  // (markDirty), so the per-pixel path carries no bookkeeping.
  Pixel* pixelsUnmarked() { return pixels_; }

  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  // Outside the surface a read gives black.
  Pixel pixel(int x, int y) const { return contains(x, y) ? row(y)[x] : 0; }
  void setPixel(int x, int y, Pixel p) {
    if (!contains(x, y)) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = p;
    markDirty({x, y, x + 1, y + 1});
  }

  void fill(Pixel p);
  void fillRect(const Rect& r, Pixel p);
  // Copies `src` onto this surface at (0, 0), as much as overlaps.
  void copyFrom(const Surface& src);
  // BitBlt: w x h pixels from (sx, sy) of src to (dx, dy), clipped to both.
  void blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy);

  // SetDIBitsToDevice of a whole packed DIB, its top-left corner at (x, y),
  // clipped to the surface: `info` points at a BITMAPINFOHEADER followed by
  // its colour table, `bits` at the rows (bottom-up for a positive height).
  // Depths 1, 4, 8 (with colour table), 16 (5-5-5), 24 and 32, uncompressed.
  // The header must tell the truth about the buffers; one that is visibly
  // wrong draws nothing (see DibView for the checks).
  void drawDib(int x, int y, const std::uint8_t* info, const std::uint8_t* bits);
  // StretchDIBits of the whole DIB onto dw x dh at (x, y), nearest
  // neighbour: destination column i shows source column i * width / dw and
  // row j source row j * height / dh (integer division, rows from the top).
  // A width or height of 0 or below draws nothing.
  void stretchDib(int x, int y, int dw, int dh, const std::uint8_t* info, const std::uint8_t* bits);

  // Lines with a solid round-capped pen, no antialiasing (Cairo).
  void line(Point from, Point to, Pixel colour, int penWidth);
  void polyline(const std::vector<Point>& points, Pixel colour, int penWidth, bool closed);

  // Text with a transparent background; (x, y) is the top-left corner of the
  // text's cell, as GDI TextOut places it by default.
  void drawText(const Font& font, int x, int y, const std::string& utf8, Pixel colour);

  // What was written since the last call, clipped to the surface; empty
  // when nothing was. A screen shows only this part, so a pass sweeping a
  // column sends the X server a column, not whole rows, and one sweeping a
  // ring its four sides, not the screen inside them.
  DirtyRegion takeDirty();
  void markDirty(int top, int bottom) { markDirty({0, top, width_, bottom}); }
  void markDirty(const Rect& r) { dirty_.add(r); }
  void markDirty(const DirtyRegion& r) { dirty_.add(r); }
  void markAllDirty() { markDirty(0, height_); }

 private:
  Pixel* rawRow(int y) { return pixels_ + static_cast<std::size_t>(y) * width_; }
  // Cairo's state over these pixels, made at the first line or text and
  // kept: made anew for every stroke it cost more than the stroke, and a
  // repaint pass draws thousands of strokes a second.
  CairoCanvas& canvas();

  int width_;
  int height_;
  PixelStore owned_;  // empty when the pixels are borrowed
  Pixel* pixels_ = nullptr;
  DirtyRegion dirty_;
  // Over pixels_, so it moves with them; shared_ptr only because the type
  // is not complete here (a surface is never copied).
  std::shared_ptr<CairoCanvas> canvas_;
};

}  // namespace warpix

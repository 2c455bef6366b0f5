#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <memory>
#include <vector>

#include "platform/Surface.h"

namespace warpix {

// Cairo drawing onto a framebuffer of screen pixels (RGB24, stride = width
// * 4); no antialiasing, so every painted pixel takes exactly the asked
// colour. The pixels are written directly between two drawing calls, so
// each call first tells Cairo so.
//
// Cairo writes 0xFF into the unused top byte of the pixels it paints; each
// drawing call clears it again over the box it may have changed, so the
// pixels keep their 0x00RRGGBB form. Each call returns that box (clipped to
// the canvas, possibly empty) so the caller can mark its rows changed.
class CairoCanvas {
 public:
  // Points further out than this are pulled in before stroking: Cairo's
  // fixed-point coordinates overflow a little beyond eight million.
  static constexpr int kCoordinateLimit = 1 << 20;

  CairoCanvas(Pixel* pixels, int width, int height);
  ~CairoCanvas();
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  bool ok() const { return context_ != nullptr; }

  // The path through `points` (back to the first one when `closed`) with a
  // solid pen of `penWidth` pixels, round caps and round joins. Widths of
  // 0 and 1 both give one-pixel lines. Odd widths run along pixel centres,
  // so a pen of width w covers w whole rows (or columns) of an axis-aligned
  // line; even widths run along pixel edges and cover w / 2 rows above the
  // line's coordinate and w / 2 from it downwards.
  Rect stroke(const std::vector<Point>& points, bool closed, Pixel colour, int penWidth);

  // Draws the layout with the top-left corner of its logical box at (x, y).
  Rect showLayout(PangoLayout* layout, int x, int y, Pixel colour);

 private:
  struct SurfaceDestroy {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
  };
  struct ContextDestroy {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
  };

  void setColour(Pixel colour);
  Rect clipBox(double x0, double y0, double x1, double y1) const;
  std::vector<Rect> segmentBoxes(const std::vector<Point>& points, bool closed, double offset, double reach) const;
  void clearUnusedByte(const Rect& box);
  // Ends a drawing call that may have changed pixels inside `boxes`;
  // returns their union.
  Rect finish(const std::vector<Rect>& boxes);

  Pixel* pixels_;
  int width_;
  int height_;
  std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface_;
  std::unique_ptr<cairo_t, ContextDestroy> context_;
};

}  // namespace warpix

// The Surface members that draw with Cairo and Pango: lines, outlines and
// text. Pixel work of the surface lives in platform/Surface.cpp.
#include <memory>

#include "platform/Font.h"
#include "platform/Surface.h"
#include "platform/linux/CairoCanvas.h"
#include "platform/linux/PangoFont.h"

namespace warpix {

CairoCanvas& Surface::canvas() {
  if (!canvas_) canvas_ = std::make_shared<CairoCanvas>(pixels_, width_, height_);
  return *canvas_;
}

void Surface::line(Point from, Point to, Pixel colour, int penWidth) {
  polyline({from, to}, colour, penWidth, false);
}

void Surface::polyline(const std::vector<Point>& points, Pixel colour, int penWidth, bool closed) {
  if (points.size() < 2) return;
  const Rect changed = canvas().stroke(points, closed, colour, penWidth);
  if (!changed.empty()) markDirty(changed);
}

void Surface::drawText(const Font& font, int x, int y, const std::string& utf8, Pixel colour) {
  if (!font.valid() || utf8.empty()) return;
  const Rect changed = canvas().showLayout(font.impl()->layoutFor(utf8), x, y, colour);
  if (!changed.empty()) markDirty(changed);
}

}  // namespace warpix

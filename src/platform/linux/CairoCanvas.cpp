#include "platform/linux/CairoCanvas.h"

#include <algorithm>
#include <cmath>

namespace warpix {
namespace {

double pulledIn(int v) {
  return static_cast<double>(std::clamp(v, -CairoCanvas::kCoordinateLimit, CairoCanvas::kCoordinateLimit));
}

}  // namespace

CairoCanvas::CairoCanvas(Pixel* pixels, int width, int height) : pixels_(pixels), width_(width), height_(height) {
  if (pixels == nullptr || width <= 0 || height <= 0) return;
  surface_.reset(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels), CAIRO_FORMAT_RGB24,
                                                     width, height, width * static_cast<int>(sizeof(Pixel))));
  if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) return;
  context_.reset(cairo_create(surface_.get()));
  if (cairo_status(context_.get()) != CAIRO_STATUS_SUCCESS) {
    context_.reset();
    return;
  }
  cairo_set_antialias(context_.get(), CAIRO_ANTIALIAS_NONE);
}

CairoCanvas::~CairoCanvas() = default;

void CairoCanvas::setColour(Pixel colour) {
  cairo_set_source_rgb(context_.get(), pixelRed(colour) / 255.0, pixelGreen(colour) / 255.0,
                       pixelBlue(colour) / 255.0);
}

Rect CairoCanvas::clipBox(double x0, double y0, double x1, double y1) const {
  // One pixel of margin on every side covers pixels whose centres lie on
  // the box's edge.
  const auto clampTo = [](double v, int limit) { return static_cast<int>(std::clamp(v, 0.0, double(limit))); };
  Rect r;
  r.left = clampTo(std::floor(x0) - 1, width_);
  r.top = clampTo(std::floor(y0) - 1, height_);
  r.right = std::max(r.left, clampTo(std::ceil(x1) + 1, width_));
  r.bottom = std::max(r.top, clampTo(std::ceil(y1) + 1, height_));
  return r;
}

void CairoCanvas::clearUnusedByte(const Rect& box) {
  // In locals: the pixels could alias the box as far as the compiler knows,
  // which would keep it from clearing many pixels at a time.
  const int left = box.left, right = box.right;
  for (int y = box.top; y < box.bottom; ++y) {
    Pixel* row = pixels_ + static_cast<std::size_t>(y) * width_;
    for (int x = left; x < right; ++x) row[x] &= 0x00FFFFFFu;
  }
}

Rect CairoCanvas::finish(const std::vector<Rect>& boxes) {
  cairo_surface_flush(surface_.get());
  Rect all{width_, height_, 0, 0};
  for (const Rect& box : boxes) {
    if (box.width() <= 0 || box.height() <= 0) continue;
    clearUnusedByte(box);
    all = {std::min(all.left, box.left), std::min(all.top, box.top), std::max(all.right, box.right),
           std::max(all.bottom, box.bottom)};
  }
  cairo_surface_mark_dirty(surface_.get());
  return all.width() > 0 && all.height() > 0 ? all : Rect{};
}

// A round-capped, round-joined stroke is the union of its segments each with
// round caps, so the boxes of the segments bound what a stroke changes; for
// an outline they are far smaller than the box of the whole path.
std::vector<Rect> CairoCanvas::segmentBoxes(const std::vector<Point>& points, bool closed, double offset,
                                            double reach) const {
  std::vector<Rect> boxes;
  const std::size_t segments = closed ? points.size() : points.size() - 1;
  for (std::size_t i = 0; i < segments; ++i) {
    const Point a = points[i];
    const Point b = points[(i + 1) % points.size()];
    const double ax = pulledIn(a.x) + offset, ay = pulledIn(a.y) + offset;
    const double bx = pulledIn(b.x) + offset, by = pulledIn(b.y) + offset;
    boxes.push_back(clipBox(std::min(ax, bx) - reach, std::min(ay, by) - reach, std::max(ax, bx) + reach,
                            std::max(ay, by) + reach));
  }
  return boxes;
}

Rect CairoCanvas::stroke(const std::vector<Point>& points, bool closed, Pixel colour, int penWidth) {
  if (!ok() || points.size() < 2) return {};
  cairo_surface_mark_dirty(surface_.get());
  cairo_t* cr = context_.get();
  const int pen = std::clamp(penWidth, 1, kCoordinateLimit);
  const double offset = (pen % 2 == 1) ? 0.5 : 0.0;
  cairo_new_path(cr);
  cairo_move_to(cr, pulledIn(points.front().x) + offset, pulledIn(points.front().y) + offset);
  for (std::size_t i = 1; i < points.size(); ++i)
    cairo_line_to(cr, pulledIn(points[i].x) + offset, pulledIn(points[i].y) + offset);
  if (closed) cairo_close_path(cr);

  cairo_set_line_width(cr, pen);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  setColour(colour);
  const std::vector<Rect> boxes = segmentBoxes(points, closed, offset, pen / 2.0);
  const bool visible =
      std::any_of(boxes.begin(), boxes.end(), [](const Rect& b) { return b.width() > 0 && b.height() > 0; });
  if (!visible) {
    cairo_new_path(cr);
    return {};
  }
  cairo_stroke(cr);
  return finish(boxes);
}

Rect CairoCanvas::showLayout(PangoLayout* layout, int x, int y, Pixel colour) {
  if (!ok() || layout == nullptr) return {};
  PangoRectangle ink{}, logical{};
  pango_layout_get_pixel_extents(layout, &ink, &logical);
  const double left = static_cast<double>(x) + std::min(ink.x, logical.x);
  const double top = static_cast<double>(y) + std::min(ink.y, logical.y);
  const double right = static_cast<double>(x) + std::max(ink.x + ink.width, logical.x + logical.width);
  const double bottom = static_cast<double>(y) + std::max(ink.y + ink.height, logical.y + logical.height);
  const Rect box = clipBox(left, top, right, bottom);
  if (box.width() <= 0 || box.height() <= 0) return {};
  cairo_surface_mark_dirty(surface_.get());
  cairo_t* cr = context_.get();
  setColour(colour);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
  return finish({box});
}

}  // namespace warpix

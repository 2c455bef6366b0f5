#include "platform/Surface.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace warpix {

Surface::Surface(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * height_, 0u),
      dirtyTop_(0),
      dirtyBottom_(height_) {}

Surface::~Surface() = default;
Surface::Surface(Surface&&) noexcept = default;
Surface& Surface::operator=(Surface&&) noexcept = default;

void Surface::fill(Pixel p) {
  std::fill(pixels_.begin(), pixels_.end(), p);
  markAllDirty();
}

void Surface::fillRect(const Rect& r, Pixel p) {
  const int left = std::max(0, r.left), right = std::min(width_, r.right);
  const int top = std::max(0, r.top), bottom = std::min(height_, r.bottom);
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y) std::fill(row(y) + left, row(y) + right, p);
}

void Surface::copyFrom(const Surface& src) { blit(0, 0, src.width_, src.height_, src, 0, 0); }

void Surface::blit(int dx, int dy, int w, int h, const Surface& src, int sx, int sy) {
  // Clip the source rectangle, then the destination, moving both together.
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min({w, src.width_ - sx, width_ - dx});
  h = std::min({h, src.height_ - sy, height_ - dy});
  if (w <= 0 || h <= 0) return;
  if (&src == this) {
    // Overlapping copy within one surface: take rows in the safe order and
    // move each row as a whole.
    for (int i = 0; i < h; ++i) {
      const int y = dy > sy ? h - 1 - i : i;
      std::memmove(row(dy + y) + dx, row(sy + y) + sx, static_cast<std::size_t>(w) * sizeof(Pixel));
    }
    return;
  }
  for (int y = 0; y < h; ++y) std::copy_n(src.row(sy + y) + sx, w, row(dy + y) + dx);
}

Surface::RowRange Surface::takeDirtyRows() {
  RowRange r{std::max(0, dirtyTop_), std::min(height_, dirtyBottom_)};
  dirtyTop_ = INT_MAX;
  dirtyBottom_ = INT_MIN;
  return r;
}

}  // namespace warpix

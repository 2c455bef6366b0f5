#include "platform/Surface.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/DibView.h"

namespace warpix {

Surface::Surface(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      owned_(static_cast<std::size_t>(width_) * height_),
      pixels_(owned_.data()) {
  markAllDirty();
}

Surface::Surface(int width, int height, Pixel* borrowed)
    : width_(borrowed != nullptr ? std::max(0, width) : 0),
      height_(borrowed != nullptr ? std::max(0, height) : 0),
      pixels_(borrowed) {
  markAllDirty();
}

Surface::~Surface() = default;

Surface::Surface(Surface&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      owned_(std::move(other.owned_)),
      pixels_(other.pixels_),
      dirty_(other.dirty_),
      canvas_(std::move(other.canvas_)) {
  other.width_ = other.height_ = 0;
  other.pixels_ = nullptr;
}

Surface& Surface::operator=(Surface&& other) noexcept {
  if (this == &other) return *this;
  canvas_ = std::move(other.canvas_);  // the old one first: it points into the old pixels
  width_ = other.width_;
  height_ = other.height_;
  owned_ = std::move(other.owned_);
  pixels_ = other.pixels_;
  dirty_ = other.dirty_;
  other.width_ = other.height_ = 0;
  other.pixels_ = nullptr;
  return *this;
}

void Surface::fill(Pixel p) {
  std::fill(pixels_, pixels_ + static_cast<std::size_t>(width_) * height_, p);
  markAllDirty();
}

void Surface::fillRect(const Rect& r, Pixel p) {
  const int left = std::max(0, r.left), right = std::min(width_, r.right);
  const int top = std::max(0, r.top), bottom = std::min(height_, r.bottom);
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y) std::fill(rawRow(y) + left, rawRow(y) + right, p);
  markDirty({left, top, right, bottom});
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
  markDirty({dx, dy, dx + w, dy + h});
  if (&src == this) {
    // Overlapping copy within one surface: take rows in the safe order and
    // move each row as a whole.
    for (int i = 0; i < h; ++i) {
      const int y = dy > sy ? h - 1 - i : i;
      std::memmove(rawRow(dy + y) + dx, rawRow(sy + y) + sx, static_cast<std::size_t>(w) * sizeof(Pixel));
    }
    return;
  }
  for (int y = 0; y < h; ++y) std::copy_n(src.row(sy + y) + sx, w, rawRow(dy + y) + dx);
}

namespace {

// The visible part [first, last) of a span of `size` pixels placed at `at`
// on an axis of `limit` pixels, in span coordinates; 64-bit so that far-off
// positions cannot overflow.
struct Span {
  int first;
  int last;
  bool empty() const { return last <= first; }
};
Span visibleSpan(std::int64_t at, std::int64_t size, std::int64_t limit) {
  const std::int64_t first = std::max<std::int64_t>(0, -at);
  const std::int64_t last = std::min<std::int64_t>(size, limit - at);
  return {static_cast<int>(std::min(first, size)), static_cast<int>(std::max(first, last))};
}

}  // namespace

void Surface::drawDib(int x, int y, const std::uint8_t* info, const std::uint8_t* bits) {
  const DibView dib(info, bits);
  if (!dib.valid()) return;
  const Span cols = visibleSpan(x, dib.width(), width_);
  const Span rows = visibleSpan(y, dib.height(), height_);
  if (cols.empty() || rows.empty()) return;
  markDirty({x + cols.first, y + rows.first, x + cols.last, y + rows.last});
  for (int r = rows.first; r < rows.last; ++r)
    dib.readRow(r, cols.first, cols.last - cols.first, rawRow(y + r) + x + cols.first);
}

// Nearest neighbour as a colour-on-colour stretch picks it: destination
// column i (0-based inside the dw columns) shows source column
// floor(i * width / dw), and destination row j shows source row
// floor(j * height / dh), with rows counted from the top of the picture.
// Enlarging by a whole factor k repeats every source pixel k times;
// halving keeps the even columns and rows.
void Surface::stretchDib(int x, int y, int dw, int dh, const std::uint8_t* info, const std::uint8_t* bits) {
  if (dw <= 0 || dh <= 0) return;
  const DibView dib(info, bits);
  if (!dib.valid()) return;
  const Span cols = visibleSpan(x, dw, width_);
  const Span rows = visibleSpan(y, dh, height_);
  if (cols.empty() || rows.empty()) return;
  markDirty({x + cols.first, y + rows.first, x + cols.last, y + rows.last});

  std::vector<int> sourceColumn(static_cast<std::size_t>(cols.last - cols.first));
  for (int i = cols.first; i < cols.last; ++i)
    sourceColumn[i - cols.first] = static_cast<int>(static_cast<std::int64_t>(i) * dib.width() / dw);
  const int firstSource = sourceColumn.front();
  const int sourceCount = sourceColumn.back() - firstSource + 1;
  std::vector<Pixel> decoded(static_cast<std::size_t>(sourceCount));

  int decodedRow = -1;
  for (int j = rows.first; j < rows.last; ++j) {
    const int sy = static_cast<int>(static_cast<std::int64_t>(j) * dib.height() / dh);
    if (sy != decodedRow) {
      dib.readRow(sy, firstSource, sourceCount, decoded.data());
      decodedRow = sy;
    }
    Pixel* out = rawRow(y + j) + x + cols.first;
    for (std::size_t i = 0; i < sourceColumn.size(); ++i) out[i] = decoded[sourceColumn[i] - firstSource];
  }
}

DirtyRegion Surface::takeDirty() {
  DirtyRegion r = dirty_;
  r.clip(width_, height_);
  dirty_.clear();
  return r;
}

}  // namespace warpix

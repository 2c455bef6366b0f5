#include "effects/WarpixStretcher.h"

#include "app/Random.h"

namespace warpix {

int WarpixStretcher::drawCount(Random& random) { return 1 << random.skewed(7, 2); }

WarpixStretcher::Axis WarpixStretcher::buildAxis(Random& random, int length, int count) {
  Axis a;
  a.start.assign(static_cast<std::size_t>(count) + 1, 0);
  a.size.assign(static_cast<std::size_t>(count) + 1, 1.0f);
  const int c = length / count;
  for (int i = 0; i < count; ++i) a.start[static_cast<std::size_t>(i)] = c * i;
  for (int i = 1; i < count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    a.start[k] += random.below(c) - c / 2;
    const int size = a.start[k] - a.start[k - 1];
    a.size[k - 1] = size > 0 ? static_cast<float>(size) : 1.0f;
  }
  const auto last = static_cast<std::size_t>(count);
  a.start[last] = 2 * length;
  // The jitter can push the last border onto the screen's edge; an empty
  // last cell still gets a size of 1, as the other empty cells do.
  const int lastSize = length - a.start[last - 1];
  a.size[last - 1] = lastSize > 0 ? static_cast<float>(lastSize) : 1.0f;
  a.size[last] = 1.0f;
  return a;
}

void WarpixStretcher::index(const std::vector<std::int32_t>& start, const std::vector<float>& size, int length,
                            std::vector<int>& cell, std::vector<float>& f, std::vector<float>& c) {
  cell.resize(static_cast<std::size_t>(length));
  f.resize(static_cast<std::size_t>(length));
  c.resize(static_cast<std::size_t>(length));
  // The borders never decrease and the last one lies beyond the screen, so
  // one scan from the left finds the cell of every point in turn.
  std::size_t i = 0;
  for (int p = 0; p < length; ++p) {
    while (p >= start[i + 1]) ++i;
    const auto k = static_cast<std::size_t>(p);
    cell[k] = static_cast<int>(i);
    f[k] = static_cast<float>(p - start[i]) / size[i];
    c[k] = 2.0f * f[k] - 1.0f;
  }
}

WarpixStretcher::WarpixStretcher(Random& random, int width, int height)
    : Warpix(random, width, height), rows_(drawCount(random)), cols_(drawCount(random)) {
  Axis r = buildAxis(random, height_, rows_);
  Axis c = buildAxis(random, width_, cols_);
  rowStart_ = std::move(r.start);
  rowSize_ = std::move(r.size);
  colStart_ = std::move(c.start);
  colSize_ = std::move(c.size);
  index(rowStart_, rowSize_, height_, rowCell_, fy_, cy_);
  index(colStart_, colSize_, width_, colCell_, fx_, cx_);
}

}  // namespace warpix

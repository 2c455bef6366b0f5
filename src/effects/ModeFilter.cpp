#include "effects/ModeFilter.h"

#include <algorithm>
#include <new>
#include <span>

#include "platform/Surface.h"

namespace warpix {

static_assert((2 * ModeFilter::kLargestRadius + 1) * (2 * ModeFilter::kLargestRadius + 1) <= ColourTally::kMostPixels);

ModeFilter::ModeFilter(int radius)
    : radius_(std::clamp(radius, 0, kLargestRadius)), span_(2 * radius_ + 1), tally_(span_ * span_),
      handles_(static_cast<std::size_t>(span_) * static_cast<std::size_t>(span_)),
      rows_(static_cast<std::size_t>(span_)) {}

bool ModeFilter::allocate(int width, int height) {
  // A row's pixels all enter the tally between two of its clear()s.
  const auto rowEntries = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(span_);
  if (width <= 0 || height <= 0 || rowEntries >= ColourTally::kMostEntries) return false;
  const int ringRows = std::min(height, span_);
  try {
    store_ = PixelStore(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    result_ = store_.data();
    ring_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(ringRows), 0);
  } catch (const std::bad_alloc&) {
    store_ = PixelStore();
    result_ = nullptr;
    return false;
  }
  width_ = width;
  height_ = height;
  ringRows_ = ringRows;
  rowsRead_ = 0;
  nextResultRow_ = 0;
  return true;
}

bool ModeFilter::copyRow(const Surface& screen) {
  if (rowsRead_ < height_) readRow(screen);
  const int h = height_;
  while (nextResultRow_ < h && std::min(h - 1, nextResultRow_ + radius_) < rowsRead_) computeRow(nextResultRow_++);
  return nextResultRow_ >= h;
}

void ModeFilter::readRow(const Surface& screen) {
  Pixel* to = ring_.data() + static_cast<std::size_t>(rowsRead_ % ringRows_) * static_cast<std::size_t>(width_);
  const int shared = rowsRead_ < screen.height() ? std::min(width_, screen.width()) : 0;
  if (shared > 0) std::copy(screen.row(rowsRead_), screen.row(rowsRead_) + shared, to);
  std::fill(to + shared, to + width_, Pixel{0});
  ++rowsRead_;
}

namespace {
// The colour that first reached the highest count among the n pixels of a
// window in walk order, comparing every pixel with those before it: for a
// small window, fewer steps than keeping a tally.
Pixel firstToTopCount(const Pixel* walk, int n) {
  int topCount = 1, top = -1;
  for (int j = 1; j < n; ++j) {
    int count = 1;
    for (int i = 0; i < j; ++i) count += walk[i] == walk[j];
    if (count > topCount) {
      topCount = count;
      top = j;
    }
  }
  return top < 0 ? ModeFilter::kNoRepeat : walk[top];
}
}  // namespace

void ModeFilter::computeRow(int y) {
  const int w = width_;
  const int top = std::max(0, y - radius_), rows = std::min(height_ - 1, y + radius_) - top + 1;
  Pixel* out = result_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
  for (int i = 0; i < rows; ++i) rows_[static_cast<std::size_t>(i)] = kept(top + i);
  if (span_ <= kLargestDirectSpan) {
    computeRowDirect(out, rows);
    return;
  }
  tally_.clear();
  // The handles of column c are kept in ring column c % span_, `rows` to a
  // column.
  std::size_t entering = 0, leaving = 0;
  const auto next = [this](std::size_t c) { return c + 1 == static_cast<std::size_t>(span_) ? 0 : c + 1; };
  int right = -1;
  for (int x = 0; x < w; ++x) {
    // The leaving column goes first, so the tally never holds more than
    // one window.
    if (x - radius_ - 1 >= 0) {
      removeColumn(leaving, rows);
      leaving = next(leaving);
    }
    while (right < std::min(w - 1, x + radius_)) {
      addColumn(++right, entering, rows);
      entering = next(entering);
    }
    // Every ring column written in this row holds a pixel of the window or
    // one that has left it (whose colour then ranks as it should or not at
    // all).
    const auto written = static_cast<std::size_t>(std::min(right + 1, span_) * rows);
    out[x] = tally_.mostFrequent(kNoRepeat, std::span(handles_.data(), written));
  }
}

void ModeFilter::computeRowDirect(Pixel* out, int rows) {
  const int w = width_;
  Pixel walk[kLargestDirectSpan * kLargestDirectSpan];
  for (int x = 0; x < w; ++x) {
    int n = 0;
    for (int cx = std::max(0, x - radius_); cx <= std::min(w - 1, x + radius_); ++cx)
      for (int i = 0; i < rows; ++i) walk[n++] = rows_[static_cast<std::size_t>(i)][cx];
    out[x] = firstToTopCount(walk, n);
  }
}

void ModeFilter::addColumn(int x, std::size_t ringColumn, int rows) {
  ColourTally::Handle* h = handles_.data() + ringColumn * static_cast<std::size_t>(rows);
  for (int i = 0; i < rows; ++i) h[i] = tally_.add(rows_[static_cast<std::size_t>(i)][x]);
}

void ModeFilter::removeColumn(std::size_t ringColumn, int rows) {
  const ColourTally::Handle* h = handles_.data() + ringColumn * static_cast<std::size_t>(rows);
  for (int i = 0; i < rows; ++i) tally_.remove(h[i]);
}

}  // namespace warpix

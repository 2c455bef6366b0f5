#pragma once

#include <cstdint>
#include <vector>

#include "effects/ColourTally.h"
#include "platform/Pixel.h"
#include "platform/PixelStore.h"

namespace warpix {

class Surface;

// The snapshot of the filter that gives each pixel the colour occurring
// most often in the square window of a radius around it (clipped to the
// picture; ties go to the colour that reached the top count first, walking
// the window column by column, each from the top). The screen is read row
// by row and each row of the result is worked out as soon as its whole
// window has been read, so only the last 2r + 1 screen rows are kept. Along
// a result row the window slides: a column enters on the right and one
// leaves on the left, so a pixel costs 2(2r + 1) counts, not (2r + 1)^2.
// Windows of radius 1 are small enough to compare their pixels pairwise.
class ModeFilter {
 public:
  // What the result holds where no colour of the window repeats; no screen
  // colour has a top byte.
  static constexpr Pixel kNoRepeat = 0xFF000000u;

  // Larger radii are taken as this one.
  static constexpr int kLargestRadius = 7;

  explicit ModeFilter(int radius);

  // Room for the rows kept and the result; false when the memory cannot be
  // had (or for a width beyond any screen).
  bool allocate(int width, int height);
  bool allocated() const { return result_ != nullptr; }
  // Copies the next screen row (the part of it that the screen still has;
  // the rest reads as black) and works out every result row whose window
  // is now complete. True once the whole result is known.
  bool copyRow(const Surface& screen);

  int width() const { return width_; }
  int height() const { return height_; }
  Pixel result(int x, int y) const { return *address(x, y); }
  const Pixel* address(int x, int y) const { return result_ + static_cast<std::size_t>(y) * width_ + x; }

 private:
  void readRow(const Surface& screen);
  const Pixel* kept(int y) const {
    return ring_.data() + static_cast<std::size_t>(y % ringRows_) * static_cast<std::size_t>(width_);
  }
  void computeRow(int y);
  // Windows this wide or less compare pixels pairwise instead of sliding.
  static constexpr int kLargestDirectSpan = 5;
  void computeRowDirect(Pixel* out, int rows);
  void addColumn(int x, std::size_t ringColumn, int rows);
  void removeColumn(std::size_t ringColumn, int rows);

  int radius_;
  int span_;  // 2r + 1
  int width_ = 0;
  int height_ = 0;
  int ringRows_ = 1;
  int rowsRead_ = 0;
  int nextResultRow_ = 0;
  std::vector<Pixel> ring_;
  PixelStore store_;
  Pixel* result_ = nullptr;  // into store_
  ColourTally tally_;
  // The tally's handles of the window's pixels, a column of them for each
  // column x modulo span_ (a ring of columns).
  std::vector<ColourTally::Handle> handles_;
  // The kept rows of the window of the result row being worked out.
  std::vector<const Pixel*> rows_;
};

}  // namespace warpix

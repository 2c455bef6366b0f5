#pragma once

#include <cstdint>
#include <vector>

#include "effects/Warpix.h"

namespace warpix {

// A random grid of cells over the screen, for the distortions that work
// cell by cell. Rows and columns are each 1 to 64 cells (mostly 1 or 2) with
// jittered borders. A cell has local coordinates -1..1 on each axis.
class WarpixStretcher : public Warpix {
 public:
  WarpixStretcher(Random& random, int width, int height);

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  // rows + 1 (cols + 1) entries; the last start is twice the screen size.
  const std::vector<std::int32_t>& rowStart() const { return rowStart_; }
  const std::vector<float>& rowSize() const { return rowSize_; }
  const std::vector<std::int32_t>& colStart() const { return colStart_; }
  const std::vector<float>& colSize() const { return colSize_; }

  // The cell column i with colStart[i] <= x < colStart[i + 1], and likewise
  // the cell row; x and y are points of the screen.
  int cellColumn(int x) const { return colCell_[static_cast<std::size_t>(x)]; }
  int cellRow(int y) const { return rowCell_[static_cast<std::size_t>(y)]; }
  // The position inside the cell, 0 <= f < 1.
  float fractionX(int x) const { return fx_[static_cast<std::size_t>(x)]; }
  float fractionY(int y) const { return fy_[static_cast<std::size_t>(y)]; }
  // The cell's local coordinate 2 f - 1.
  float localX(int x) const { return cx_[static_cast<std::size_t>(x)]; }
  float localY(int y) const { return cy_[static_cast<std::size_t>(y)]; }

 protected:
  // From a local coordinate of cell column i (row j) back to the screen,
  // before truncation.
  float backX(float px, int i) const {
    return (px * 0.5f + 0.5f) * colSize_[static_cast<std::size_t>(i)] +
           static_cast<float>(colStart_[static_cast<std::size_t>(i)]);
  }
  float backY(float py, int j) const {
    return (py * 0.5f + 0.5f) * rowSize_[static_cast<std::size_t>(j)] +
           static_cast<float>(rowStart_[static_cast<std::size_t>(j)]);
  }

  int rows_;
  int cols_;
  std::vector<std::int32_t> rowStart_;
  std::vector<float> rowSize_;
  std::vector<std::int32_t> colStart_;
  std::vector<float> colSize_;

 private:
  struct Axis {
    std::vector<std::int32_t> start;
    std::vector<float> size;
  };
  static int drawCount(Random& random);
  static Axis buildAxis(Random& random, int length, int count);
  // The cell lookup and the local coordinates of every point of an axis.
  static void index(const std::vector<std::int32_t>& start, const std::vector<float>& size, int length,
                    std::vector<int>& cell, std::vector<float>& f, std::vector<float>& c);

  std::vector<int> colCell_;
  std::vector<int> rowCell_;
  std::vector<float> fx_;
  std::vector<float> fy_;
  std::vector<float> cx_;
  std::vector<float> cy_;
};

}  // namespace warpix

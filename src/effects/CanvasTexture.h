#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace warpix {

// A grid of small signed lightness offsets, row-major.
class CanvasTexture {
 public:
  // Keeps the cells when the size is unchanged; any other size gets new
  // cells, so no access within the size can leave the storage.
  void resize(int rows, int columns) {
    if (rows == rows_ && columns == columns_) return;
    rows_ = rows < 0 ? 0 : rows;
    columns_ = columns < 0 ? 0 : columns;
    cells_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), 0);
  }

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  std::int8_t& at(int row, int column) { return cells_[index(row, column)]; }
  std::int8_t at(int row, int column) const { return cells_[index(row, column)]; }

 private:
  std::size_t index(int row, int column) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
  }

  int rows_ = 0;
  int columns_ = 0;
  std::vector<std::int8_t> cells_;
};

}  // namespace warpix

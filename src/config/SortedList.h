#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace warpix {

// The lines of a sorted list box, as the user sees them: ordered ignoring
// letter case (ties in byte order), duplicates kept, with one selected line
// or none.
class SortedList {
 public:
  const std::vector<std::string>& lines() const { return lines_; }
  std::size_t size() const { return lines_.size(); }
  bool contains(const std::string& line) const;

  // Returns the index the line went to.
  std::size_t insert(std::string line);
  // Removes the line at `index` and selects the line now at that index, or
  // the one before it when the last line went; nothing when none is left.
  void eraseSelected();
  void clear();

  std::optional<std::size_t> selection() const { return selection_; }
  void select(std::optional<std::size_t> index);
  // The selected line, or nothing.
  std::optional<std::string> selected() const;

 private:
  std::vector<std::string> lines_;
  std::optional<std::size_t> selection_;
};

}  // namespace warpix

#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace warpix {

// What the folders of the folder list offer the saver: how many files of
// each are pictures it can show, and why it passes over the others. A file
// is judged by its name and by its first bytes, so a picture damaged
// further in still counts; the look stays cheap. A census opens at most
// `budget` files over all the folders it counts, so that a vast folder or
// a slow network share cannot hold up whoever asked.
class FolderCensus {
 public:
  static constexpr std::size_t kDefaultBudget = 5000;
  // Skipped files that are named with their reason; the rest are counted.
  static constexpr std::size_t kReasonsKept = 3;

  struct Skip {
    std::string name;
    std::string reason;
  };
  struct Count {
    int pictures = 0;
    int skipped = 0;
    std::vector<Skip> firstSkips;  // in name order
    int looked = 0;                // files opened
    bool capped = false;           // the budget ran out before the folder's end
  };

  explicit FolderCensus(std::size_t budget = kDefaultBudget) : budget_(budget), left_(budget) {}

  // Files directly inside `folder`, as the catalogue lists them; hidden
  // files and subfolders that the catalogue would not list are left out.
  // A folder that cannot be read holds nothing.
  Count count(const std::string& folder);
  std::size_t budget() const { return budget_; }

  // Why the saver passes over the file at `path`: "unreadable", "not a
  // picture" or "unsupported (...)"; empty for a picture it shows.
  static std::string skipReason(const std::string& path);

 private:
  std::size_t budget_;
  std::size_t left_;
};

}  // namespace warpix

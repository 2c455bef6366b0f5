#include "config/SortedList.h"

#include <algorithm>
#include <cctype>

namespace warpix {

namespace {

bool before(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                 [&](char x, char y) { return lower(x) < lower(y); });
  const bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                    [&](char x, char y) { return lower(x) < lower(y); });
  return less || (!greater && a < b);
}

}  // namespace

bool SortedList::contains(const std::string& line) const {
  return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
}

std::size_t SortedList::insert(std::string line) {
  const auto at = std::upper_bound(lines_.begin(), lines_.end(), line, before);
  const auto index = static_cast<std::size_t>(at - lines_.begin());
  lines_.insert(at, std::move(line));
  if (selection_ && *selection_ >= index) ++*selection_;
  return index;
}

void SortedList::eraseSelected() {
  if (!selection_ || *selection_ >= lines_.size()) return;
  const std::size_t index = *selection_;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
  if (lines_.empty()) selection_.reset();
  else selection_ = std::min(index, lines_.size() - 1);
}

void SortedList::clear() {
  lines_.clear();
  selection_.reset();
}

void SortedList::select(std::optional<std::size_t> index) {
  selection_ = index && *index < lines_.size() ? index : std::nullopt;
}

std::optional<std::string> SortedList::selected() const {
  if (!selection_) return std::nullopt;
  return lines_[*selection_];
}

}  // namespace warpix

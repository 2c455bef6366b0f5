#include "app/ChoiceTable.h"

#include <algorithm>

#include "app/Random.h"

namespace warpix {

void ChoiceTable::build(const std::vector<std::int32_t>& weights, bool keepCopy) {
  const std::size_t n = weights.size();
  cumulative_.assign(n, 0.0f);
  copy_.clear();
  if (n == 0) return;
  float total = 0.0f;
  for (const std::int32_t w : weights) total += static_cast<float>(w);
  std::int64_t running = 0;
  for (std::size_t j = 0; j + 1 < n; ++j) {
    running += weights[j];
    cumulative_[j] = total == 0.0f ? 0.0f : static_cast<float>(running) / total;
  }
  cumulative_[n - 1] = 1.0f;
  if (keepCopy) copy_ = cumulative_;
}

int ChoiceTable::draw(Random& random) const {
  const float u = random.uniform();
  for (std::size_t j = 0; j < cumulative_.size(); ++j) {
    if (cumulative_[j] > u) return static_cast<int>(j);
  }
  return 0;
}

int ChoiceTable::pick(Random& random, const std::vector<int>& exclude, int tries) const {
  int result = draw(random);
  if (exclude.empty()) return result;
  const auto excluded = [&](int j) { return std::find(exclude.begin(), exclude.end(), j) != exclude.end(); };
  for (int redraws = 0; excluded(result) && redraws < tries - 1; ++redraws) result = draw(random);
  return result;
}

}  // namespace warpix

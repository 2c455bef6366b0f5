#pragma once

#include <cstdint>
#include <vector>

namespace warpix {

class Random;

// Weighted choice among numbered alternatives, with optional exclusions.
class ChoiceTable {
 public:
  static constexpr int kDefaultTries = 10;

  void build(const std::vector<std::int32_t>& weights, bool keepCopy);
  int pick(Random& random, const std::vector<int>& exclude = {}, int tries = kDefaultTries) const;

  int count() const { return static_cast<int>(cumulative_.size()); }
  const std::vector<float>& cumulative() const { return cumulative_; }
  const std::vector<float>& copy() const { return copy_; }

 private:
  int draw(Random& random) const;

  std::vector<float> cumulative_;
  std::vector<float> copy_;
};

}  // namespace warpix

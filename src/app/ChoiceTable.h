#pragma once

#include <cstdint>
#include <vector>

namespace warpix {

class Random;

// A frequency setting as a table weight. Below zero it means nothing: left
// negative it would make the cumulative shares fall back and hand its share
// to a neighbour.
constexpr std::int32_t choiceWeight(std::int32_t value) { return value < 0 ? 0 : value; }
// Weight × fraction, truncated toward zero as the integer weights need.
constexpr std::int32_t choiceShare(std::int32_t value, double fraction) {
  return static_cast<std::int32_t>(static_cast<double>(choiceWeight(value)) * fraction);
}

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

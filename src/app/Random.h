#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace warpix {

// Knuth's subtractive generator (the ran3 form). Every drawing decision of
// the saver comes from one of these, so the order of draws is behaviour: one
// seed must give one run.
class Random {
 public:
  static constexpr std::int32_t kModulus = 1000000000;
  static constexpr std::int32_t kSeedConstant = 161803398;

  explicit Random(std::int32_t seed);
  virtual ~Random() = default;

  void seed(std::int32_t s);
  std::int32_t seedValue() const { return seed_; }

  // Inline: per-pixel effects draw millions of these per pass.
  std::int32_t next() {  // 0 .. 999 999 999
    if (++first_ == 56) first_ = 1;
    if (++second_ == 56) second_ = 1;
    std::int32_t v = table_[first_] - table_[second_];
    if (v < 0) v += kModulus;
    table_[first_] = v;
    return v;
  }
  float uniform() { return static_cast<float>(next() * 1.0e-9); }  // 0 .. 1 inclusive (single precision)
  std::int32_t below(std::int32_t n) { return static_cast<std::int32_t>(uniform() * n); }  // 0 .. n-1, rarely n
  // What `count` calls of below(n) would give, in order, into `out`; the
  // conversions of a whole batch run side by side.
  void drawBelow(std::int32_t n, std::int32_t* out, std::size_t count);
  std::int32_t skewed(std::int32_t n, std::int32_t k);
  float uniformSigned();               // -1 .. 1
  std::int32_t coin();
  std::int32_t sign();

 private:
  std::int32_t first_ = 0;
  std::int32_t second_ = 31;
  std::array<std::int32_t, 56> table_{};
  std::int32_t seed_ = 0;
};

}  // namespace warpix

#include "app/Random.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace warpix {

Random::Random(std::int32_t s) { seed(s); }

void Random::seed(std::int32_t s) {
  seed_ = s;
  // |INT32_MIN| does not fit; its modulus does, so take it in 64 bits.
  const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(s));
  std::int32_t mj = static_cast<std::int32_t>((kSeedConstant - magnitude) % kModulus);
  if (mj < 0) mj += kModulus;
  table_[55] = mj;
  std::int32_t mk = 1;
  for (int i = 1; i <= 54; ++i) {
    const int ii = (21 * i) % 55;
    table_[ii] = mk;
    mk = mj - mk;
    if (mk < 0) mk += kModulus;
    mj = table_[ii];
  }
  for (int round = 0; round < 4; ++round) {
    for (int i = 1; i <= 55; ++i) {
      table_[i] -= table_[1 + (i + 30) % 55];
      if (table_[i] < 0) table_[i] += kModulus;
    }
  }
  first_ = 0;
  second_ = 31;
}

void Random::drawBelow(std::int32_t n, std::int32_t* out, std::size_t count) {
  // Each draw replaces table[first] by itself less table[second], and
  // `second` runs 31 places ahead of `first` round the 55 (24 behind, once
  // it has wrapped). So up to 24 draws in a row, with neither index
  // wrapping, read nothing that the same run writes: they are worked out
  // side by side. On local copies, as `out` might alias the members.
  std::array<std::int32_t, 56> table = table_;
  int first = first_, second = second_;
  std::size_t done = 0;
  while (done < count) {
    if (first == 55) first = 0;
    if (second == 55) second = 0;
    const std::size_t run = std::min({count - done, std::size_t{24}, static_cast<std::size_t>(55 - first),
                                      static_cast<std::size_t>(55 - second)});
    // The run's writes and reads do not overlap, and `table` is local.
    std::int32_t* __restrict a = table.data() + first + 1;
    const std::int32_t* __restrict b = table.data() + second + 1;
    std::int32_t* __restrict to = out + done;
    for (std::size_t k = 0; k < run; ++k) {
      std::int32_t v = a[k] - b[k];
      if (v < 0) v += kModulus;
      a[k] = v;
      to[k] = v;
    }
    first += static_cast<int>(run);
    second += static_cast<int>(run);
    done += run;
  }
  table_ = table;
  first_ = first;
  second_ = second;
  const auto scale = static_cast<float>(n);
  for (std::size_t i = 0; i < count; ++i)
    out[i] = static_cast<std::int32_t>(static_cast<float>(out[i] * 1.0e-9) * scale);
}

std::int32_t Random::skewed(std::int32_t n, std::int32_t k) {
  if (k == 0) k = 1;
  std::int32_t c = below(n);
  for (std::int32_t i = 1; i < std::abs(k); ++i) c = below(c + 1);
  return k > 0 ? c : n - 1 - c;
}

float Random::uniformSigned() { return uniform() * 2.0f - 1.0f; }

std::int32_t Random::coin() { return below(2); }

std::int32_t Random::sign() { return below(2) != 0 ? 1 : -1; }

}  // namespace warpix

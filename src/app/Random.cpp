#include "app/Random.h"

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

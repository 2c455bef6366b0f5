#include "app/Random.h"

#include <gtest/gtest.h>

namespace warpix {
TEST(Random, Placeholder) { EXPECT_EQ(Random(1).seedValue(), 1); }
}  // namespace warpix

// RandomNumberGen: the standard MT19937 sequence for a seed, and seeds that
// differ between generators.
#include <gtest/gtest.h>

#include "RandomNumberGen.h"

TEST(RandomNumberGen, SeededSequenceIsStandardMt19937) {
  // The C++ standard fixes the 10000th output of mt19937 seeded with 5489.
  RandomNumberGen gen(5489u);
  unsigned int n = 0;
  for (int i = 0; i < 10000; ++i) n = gen.Get();
  EXPECT_EQ(n, 4123659995u);
}

TEST(RandomNumberGen, UnseededGeneratorsDiffer) {
  // Four equal outputs from two different seeds have a chance of 2^-128.
  RandomNumberGen a, b;
  bool bDiffers = false;
  for (int i = 0; i < 4; ++i) bDiffers |= a.Get() != b.Get();
  EXPECT_TRUE(bDiffers);
}

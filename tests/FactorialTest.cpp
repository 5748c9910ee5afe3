// The expansions of e's partial sums, read from e's value and each sum's tail, against a full
// expansion of the same sum at every pass, to the pass where the expansion saturates.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "Capacity.h"
#include "Factorial.h"
#include "FractionDigits.h"
#include "PartialSums.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

// Runs the sum 1/2! + ... pass by pass with counts that grow as schedule says, and compares the
// expansion of each pass that check names with the full expansion of the sum, which this test
// builds on its own. Gives the pass that overflowed.
template <class Schedule, class Check>
int CompareWithFullExpansion(std::int32_t valueDigits, Schedule nextCount, Check check) {
  TBunsuu sum;
  PartialSums<FactorialSeries> sums(valueDigits);
  TLongNum factor;
  std::int32_t count = 6;
  int pass = 0;
  while (!OverflowFlag) {
    ++pass;
    LongFromInt(pass + 1, factor);
    LongMul(sum.Den, factor, sum.Den);
    LongMul(sum.Num, factor, sum.Num);
    LongInc(sum.Num);
    sums.NextPass();
    const std::string& got = sums.Expansion(count);
    if (check(pass) || OverflowFlag) {
      const bool flag = OverflowFlag;
      OverflowFlag = false;
      const std::string full = FractionDigits(sum, count);
      EXPECT_EQ(OverflowFlag, flag) << "pass " << pass;
      OverflowFlag = flag;
      if (got != full) {
        ADD_FAILURE() << "pass " << pass << ", " << count << " digits";
        return pass;
      }
    }
    count = nextCount(count);
  }
  return pass;
}

// Counts that grow unevenly, stand still, or jump ahead, about as fast on the whole, from a
// value narrower than the later texts, which it leaves to the exact expansion.
TEST(FactorialSeries, AgreesForUnevenCounts) {
  std::mt19937 rng(5);
  const int last = CompareWithFullExpansion(
      3000,
      [&](std::int32_t c) {
        return c + static_cast<std::int32_t>(rng() % 5) + (rng() % 100 == 0 ? 40 : 0);
      },
      [](int pass) { return pass < 1000 || pass % 100 == 0; });
  EXPECT_EQ(last, FactorialSaturatingPass);
  EXPECT_TRUE(OverflowFlag);
}

}  // namespace

// The digit texts of e's sum, read from e's value and each sum's tail, against a full expansion
// of the same sum at every iteration, to the term where the expansion saturates.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "FactorialSum.h"
#include "FractionDigits.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

// Runs the sum 1/2! + ... term by term with counts that grow as schedule says, and compares
// each iteration's text for which check says so with the full expansion of the sum, which this
// test builds on its own.
template <class Schedule, class Check>
int CompareWithFullExpansion(std::int32_t valueDigits, Schedule nextCount, Check check) {
  TBunsuu sum;
  FactorialSum text(valueDigits);
  TLongNum factor;
  std::int32_t count = 6;
  int k = 1;
  while (!OverflowFlag) {
    ++k;
    LongFromInt(k, factor);
    LongMul(sum.Den, factor, sum.Den);
    LongMul(sum.Num, factor, sum.Num);
    LongInc(sum.Num);
    text.NextTerm();
    const std::string& got = text.Text(count);
    if (check(k) || OverflowFlag) {
      const bool flag = OverflowFlag;
      OverflowFlag = false;
      const std::string full = FractionDigits(sum, count);
      EXPECT_EQ(OverflowFlag, flag) << "k " << k;
      OverflowFlag = flag;
      if (got != full) {
        ADD_FAILURE() << "k " << k << ", " << count << " digits";
        return k;
      }
    }
    count = nextCount(count);
  }
  return k;
}

// Counts that grow unevenly, stand still, or jump ahead, about as fast on the whole, from a
// value narrower than the later texts, which it leaves to the exact expansion.
TEST(FactorialSum, AgreesForUnevenCounts) {
  std::mt19937 rng(5);
  const int last = CompareWithFullExpansion(
      3000,
      [&](std::int32_t c) {
        return c + static_cast<std::int32_t>(rng() % 5) + (rng() % 100 == 0 ? 40 : 0);
      },
      [](int k) { return k < 1000 || k % 100 == 0; });
  EXPECT_EQ(last, 3258);
  EXPECT_TRUE(OverflowFlag);
}

}  // namespace

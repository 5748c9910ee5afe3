// The decimal expansion of a fraction: known cases, GMP's long division, and expansions whose
// steps reach the capacity.
#include <gmp.h>
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <string>

#include "ArithCheck.h"
#include "FractionDigits.h"
#include "GmpSeries.h"
#include "LongGmp.h"
#include "LongTestSupport.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

using arithcheck::F;
using longtest::FromValue;

TEST(FractionDigits, KnownCases) {
  const struct {
    long num, den;
    int count;
    const char* digits;
  } cases[] = {
      {1, 3, 5, "33333"}, {1, 7, 8, "14285714"}, {1, 4, 5, "25000"}, {0, 5, 3, "000"},
      {1, 3, 0, ""},      {1, 3, -4, ""},        {22, 23, 3, "956"},
  };
  for (const auto& c : cases) {
    OverflowFlag = false;
    const TBunsuu f = F(c.num, c.den);
    EXPECT_EQ(FractionDigits(f, c.count), c.digits) << c.num << "/" << c.den;
    EXPECT_EQ(FractionDigits(f, c.count), c.digits) << "again";
    EXPECT_FALSE(OverflowFlag);
  }
}

TEST(FractionDigits, LeavesTheFractionAsItWas) {
  const TBunsuu f =
      F(mpz_class("123456789012345678901234567890"), mpz_class("987654321098765432109876543211"));
  const TBunsuu copy = f;
  FractionDigits(f, 300);
  EXPECT_TRUE(longtest::SameRecord(f.Num, copy.Num));
  EXPECT_TRUE(longtest::SameRecord(f.Den, copy.Den));
}

TEST(FractionDigits, AgreesWithGmpLongDivision) {
  longtest::OperandSource source(41);
  for (int i = 0; i < 400; ++i) {
    const mpz_class den =
        source.MagnitudeOfLength(1 + source.Below(i % 4 == 0 ? MaxDigits - 2 : 60));
    const int denDigits = static_cast<int>((mpz_sizeinbase(den.get_mpz_t(), 2) + 7) / 8);
    mpz_class num = source.MagnitudeOfLength(1 + source.Below(denDigits)) % den;
    if (i % 9 == 0) num = den - 1;
    const int count = source.Below(i % 5 == 0 ? 6000 : 120);
    OverflowFlag = false;
    ASSERT_EQ(FractionDigits(F(num, den), count), gmpseries::DigitText(num, den, count)) << i;
    ASSERT_FALSE(OverflowFlag);
  }
}

// Denominators above the bound of the fast expansion, where every step is checked against the
// capacity: up to the point of saturation the digits are those of long division, and then
// no more digits come.
TEST(FractionDigits, StepsThatReachTheCapacity) {
  const mpz_class bits33324 = mpz_class(1) << (MaxBits - 5);
  const mpz_class bits33325 = mpz_class(1) << (MaxBits - 4);
  const struct {
    const char* what;
    mpz_class num, den;
    int count;
    int digits;  // how many digits come before the saturation, or count
    bool flag;
  } cases[] = {
      // Ten times a remainder stays below the capacity, and below sixteen times the
      // denominator: no step saturates.
      {"no step saturates", bits33324 - 1, bits33324 + 12345, 60, 60, false},
      // 0.00095...: the fourth step's dividend has the full width and the denominator, shifted
      // up to its top bit, is below it.
      {"the fourth division is beyond the capacity", (bits33325 + 7) * 95 / 100000, bits33325 + 7,
       20, 3, true},
      // 1/d with d of the full width: ten times the remainder outgrows the capacity at step
      // 10,033.
      {"ten times the remainder outgrows the capacity", 1, (mpz_class(1) << (MaxBits - 1)) + 99,
       10040, 10032, true},
  };
  for (const auto& c : cases) {
    OverflowFlag = false;
    const std::string got = FractionDigits(F(c.num, c.den), c.count);
    EXPECT_EQ(got, gmpseries::DigitText(c.num, c.den, c.digits)) << c.what;
    EXPECT_EQ(OverflowFlag, c.flag) << c.what;
  }
}

TEST(FractionDigits, SaturatedFractionsGiveNoDigits) {
  EXPECT_EQ(FractionDigits({MaxLongNum, MaxLongNum}, 10), "");
  EXPECT_EQ(FractionDigits({MaxLongNum, FromValue(7)}, 10), "");
  EXPECT_FALSE(OverflowFlag);
}

// Fractions that no caller passes still give the characters (48 + d) mod 256 of the quotients.
TEST(FractionDigits, ImproperFractions) {
  EXPECT_EQ(FractionDigits(F(12, 1), 3),
            "\xa8"
            "00");
  // A whole quotient is a character past the digits, by plain long division too.
  EXPECT_EQ(FractionDigits(F(1, 1), 3), ":00");
  EXPECT_EQ(FractionDigits(F(-1, 3), 3), "---");
  EXPECT_EQ(FractionDigits(F(1, -3), 2), "--");
  EXPECT_FALSE(OverflowFlag);
}

}  // namespace

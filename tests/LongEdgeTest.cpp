// Hand-picked cases whose exact records are known: the constants, the sign rules of division,
// zeros that keep Sign -1, and values right at the capacity.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "LongGmp.h"
#include "LongTestSupport.h"
#include "TavoLong.h"

namespace {

using longtest::FromValue;
using longtest::Record;
using longtest::SameRecord;

TLongNum V(long long v) {
  return FromValue(mpz_class(std::to_string(v)));
}
TLongNum Pow256(int k, int factor = 1) {
  return FromValue(mpz_class(factor) << (8 * k));
}

// A value of MaxDigits digits that is not saturated: every digit 255, or a chosen top digit.
TLongNum FullWidth(std::uint8_t top = 255) {
  TLongNum r = MaxLongNum;
  r.Overflowed = false;
  r.Digit[MaxDigits - 1] = top;
  return r;
}

TEST(LongConstants, HaveTheirRecords) {
  EXPECT_TRUE(SameRecord(LongZero, Record(0, 1)));
  EXPECT_TRUE(SameRecord(LongOne, V(1)));
  EXPECT_TRUE(SameRecord(LongTwo, V(2)));
  EXPECT_TRUE(SameRecord(LongTen, V(10)));
  EXPECT_EQ(LongMinInt.Len, 4);
  EXPECT_EQ(LongMinInt.Sign, -1);
  EXPECT_EQ(LongMinInt.Digit[3], 128);
  EXPECT_EQ(MaxLongNum.Len, MaxDigits);
  EXPECT_TRUE(MaxLongNum.Overflowed);
  for (int i = 0; i < MaxDigits; ++i)
    ASSERT_EQ(MaxLongNum.Digit[i], 255) << i;
  EXPECT_EQ(MaxLongNum.Digit[MaxDigits], 0);
  EXPECT_EQ(longtest::Magnitude(MaxLongNum).get_str().size(),
            static_cast<std::size_t>(MaxDecimalDigits));
}

TEST(LongConversions, FromIntClearsWhatALongerValueLeft) {
  TLongNum r = FullWidth();
  r.Overflowed = true;
  LongFromInt(256, r);
  EXPECT_TRUE(SameRecord(r, V(256)));
  EXPECT_EQ(r.Len, 2);
  LongFromInt(-2147483647, r);
  EXPECT_EQ(r.Len, 4);
  EXPECT_EQ(r.Digit[3], 127);
  EXPECT_EQ(r.Sign, -1);
}

TEST(LongConversions, ToIntAtTheBounds) {
  struct Case {
    TLongNum a;
    bool fits;
    std::int32_t v;
  };
  const Case cases[] = {
      {Pow256(0, 0), true, 0},
      {Record(0, -1), true, 0},
      {FromValue(mpz_class(1) << 31), false, 0},
      {FromValue(-(mpz_class(1) << 31)), true, INT32_MIN},
      {V(2147483647), true, 2147483647},
      {Pow256(4), false, 0},
      {MaxLongNum, false, 0},
  };
  for (const Case& c : cases) {
    std::int32_t v = 99;
    EXPECT_EQ(LongToInt(c.a, v), c.fits) << longtest::Describe(c.a);
    EXPECT_EQ(v, c.v);
  }
}

TEST(LongSaturation, AlwaysGivesPositiveMaxAndSetsTheFlag) {
  TLongNum a = V(-5);
  LongSaturate(a);
  EXPECT_TRUE(SameRecord(a, MaxLongNum));
  EXPECT_TRUE(OverflowFlag);
}

// The answers about the capacity, on either side of each boundary that they draw.
TEST(LongCapacity, WhatItAllows) {
  const auto power = [](int bits, int plus) { return FromValue((mpz_class(1) << bits) + plus); };
  const struct {
    const char* what;
    TLongNum a;
    bool divides, expands;
  } cases[] = {
      {"zero", LongZero, true, true},
      {"one", V(-1), true, true},
      {"2^(MaxBits-5) - 1", power(MaxBits - 5, -1), true, true},
      {"2^(MaxBits-5)", power(MaxBits - 5, 0), true, false},
      {"2^(MaxBits-1) - 1", power(MaxBits - 1, -1), true, false},
      {"2^(MaxBits-1)", power(MaxBits - 1, 0), false, false},
      {"-2^(MaxBits-1)", FromValue(-(mpz_class(1) << (MaxBits - 1))), false, false},
      {"saturated", MaxLongNum, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LongDividesWithinCapacity(c.a), c.divides) << c.what;
    EXPECT_EQ(LongExpansionWithinCapacity(c.a), c.expands) << c.what;
  }
}

TEST(LongZeros, ZeroWithNegativeSign) {
  TLongNum z = V(-1);
  LongShiftRight(z, 1);
  EXPECT_TRUE(SameRecord(z, Record(0, -1)));
  EXPECT_TRUE(LongIsZero(z));
  EXPECT_EQ(LongSign(z), 0);
  EXPECT_EQ(LongCompare(z, LongZero), -1);
  TLongNum w = V(-1);
  LongShiftRight(w, 8);
  EXPECT_TRUE(SameRecord(w, LongZero));
  TLongNum n = LongZero;
  LongNegate(n);
  EXPECT_TRUE(SameRecord(n, LongZero));
}

using Op = std::function<void(TLongNum&)>;

struct Case {
  const char* what;
  Op op;
  TLongNum start;
  TLongNum expected;
  bool flag;
};

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    TLongNum x = c.start;
    OverflowFlag = false;
    c.op(x);
    EXPECT_TRUE(SameRecord(x, c.expected)) << c.what;
    EXPECT_EQ(OverflowFlag, c.flag) << c.what;
  }
}

Op With(void (*f)(const TLongNum&, const TLongNum&, TLongNum&), TLongNum b) {
  return [f, b](TLongNum& x) { f(x, b, x); };
}

TEST(LongAddSub, CarriesBorrowsAndCapacity) {
  RunCases({
      {"255 + 1", With(LongAdd, V(1)), V(255), V(256), false},
      {"65535 + 1", With(LongAdd, V(1)), V(65535), V(65536), false},
      {"full + 1", With(LongAdd, V(1)), FullWidth(), MaxLongNum, true},
      {"-full + -1", With(LongAdd, V(-1)),
       [] {
         TLongNum f = FullWidth();
         f.Sign = -1;
         return f;
       }(),
       MaxLongNum, true},
      {"5 - 8", With(LongSub, V(8)), V(5), V(-3), false},
      {"-5 - -8", With(LongSub, V(-8)), V(-5), V(3), false},
      {"7 + -7", With(LongAdd, V(-7)), V(7), LongZero, false},
      {"256 - 1", With(LongSub, V(1)), V(256), V(255), false},
      {"65536 - 1", With(LongSub, V(1)), V(65536), V(65535), false},
      {"inc -1", LongInc, V(-1), LongZero, false},
      {"inc 255", LongInc, V(255), V(256), false},
      {"max + 1", With(LongAdd, V(1)), MaxLongNum, MaxLongNum, false},
      {"-max - 1", With(LongSub, V(1)), longtest::NegatedMax(), MaxLongNum, false},
      {"-5 subabs -5", With(LongSubAbs, V(5)), V(-5), Record(0, -1), false},
  });
}

TEST(LongShifts, DigitsBitsAndCapacity) {
  const auto left = [](int bits) {
    return [bits](TLongNum& x) { LongShiftLeft(x, static_cast<std::uint16_t>(bits)); };
  };
  const auto right = [](int bits) {
    return [bits](TLongNum& x) { LongShiftRight(x, static_cast<std::uint16_t>(bits)); };
  };
  const auto leftDigits = [](int n) {
    return [n](TLongNum& x) { LongShiftLeftDigits(x, static_cast<std::uint16_t>(n)); };
  };
  const auto rightDigits = [](int n) {
    return [n](TLongNum& x) { LongShiftRightDigits(x, static_cast<std::uint16_t>(n)); };
  };
  RunCases({
      {"1 << 8", left(8), V(1), V(256), false},
      {"128 << 1", left(1), V(128), V(256), false},
      {"-3 << 2", left(2), V(-3), V(-12), false},
      {"x << 0", left(0), V(-77777), V(-77777), false},
      {"full << 1 digit", leftDigits(1), FullWidth(1), MaxLongNum, true},
      {"full << 0 digits", leftDigits(0), FullWidth(1), FullWidth(1), false},
      {"top 128 << 1", left(1), FullWidth(128), MaxLongNum, true},
      {"top 127 << 1", left(1), FullWidth(127),
       [] {
         TLongNum f = FullWidth(255);
         f.Digit[0] = 254;
         return f;
       }(),
       false},
      {"0x12345 << 1 digit", leftDigits(1), V(0x12345), V(0x1234500), false},
      {"0x1234500 >> 1 digit", rightDigits(1), V(0x1234500), V(0x12345), false},
      {"256 >> 1 digit", rightDigits(1), V(256), V(1), false},
      {"256 >> 2 digits", rightDigits(2), V(256), LongZero, false},
      {"-256 >> 2 digits", rightDigits(2), V(-256), LongZero, false},
      {"256 >> 1", right(1), V(256), V(128), false},
      {"-7 >> 1", right(1), V(-7), V(-3), false},
      {"max << 5", left(5), MaxLongNum, MaxLongNum, false},
      {"-max >> 5", right(5), longtest::NegatedMax(), longtest::NegatedMax(), false},
      {"0 << 9", left(9), LongZero, LongZero, false},
  });
}

TEST(LongMul, SignsSizesAndCapacity) {
  RunCases({
      {"0 * -5", With(LongMul, V(-5)), LongZero, LongZero, false},
      {"-3 * 5", With(LongMul, V(5)), V(-3), V(-15), false},
      {"-3 * -5", With(LongMul, V(-5)), V(-3), V(15), false},
      {"255 * 255", With(LongMul, V(255)), V(255), V(65025), false},
      {"256^2082 * 256^2083", With(LongMul, Pow256(2083)), Pow256(2082), Pow256(4165), false},
      {"2*256^2082 * 128*256^2083", With(LongMul, Pow256(2083, 128)), Pow256(2082, 2), MaxLongNum,
       true},
      {"2 * full(128)", With(LongMul, V(2)), FullWidth(128), MaxLongNum, true},
      {"1 * full", With(LongMul, V(1)), FullWidth(), FullWidth(), false},
      {"256 * full(1)", With(LongMul, V(256)), FullWidth(1), MaxLongNum, true},
      {"-huge * huge", With(LongMul, Pow256(2083)), FromValue(-(mpz_class(1) << (8 * 2083))),
       MaxLongNum, true},
      {"max * 0", With(LongMul, LongZero), MaxLongNum, MaxLongNum, false},
  });
  TLongNum x = V(-123456789);
  LongMul(x, x, x);
  EXPECT_TRUE(SameRecord(x, V(15241578750190521)));
}

TEST(LongDivision, SignsAndSmallCases) {
  struct Case {
    long long n, d, q, r;
    int qSign, rSign;  // the Sign fields, which matter for zeros
  };
  const Case cases[] = {
      {7, 2, 3, 1, 1, 1},      {-7, 2, -3, -1, -1, -1}, {7, -2, -3, 1, -1, 1},
      {-7, -2, 3, -1, 1, -1},  {70, 10, 7, 0, 1, 1},    {69, 10, 6, 9, 1, 1},
      {5, 5, 1, 0, 1, 1},      {-5, 5, -1, 0, -1, 1},   {3, 10, 0, 3, 1, 1},
      {-3, 10, 0, -3, -1, -1}, {256, 255, 1, 1, 1, 1},  {-70, 10, -7, 0, -1, -1},
      {3, -10, 0, 3, -1, 1},
  };
  for (const Case& c : cases) {
    TLongNum q, r;
    LongDivMod(V(c.n), V(c.d), q, r);
    EXPECT_TRUE(SameRecord(q, Record(mpz_class(std::to_string(c.q)), c.qSign)))
        << c.n << " / " << c.d;
    EXPECT_TRUE(SameRecord(r, Record(mpz_class(std::to_string(c.r)), c.rSign)))
        << c.n << " % " << c.d;
    TLongNum q2, r2;
    LongDiv(V(c.n), V(c.d), q2);
    LongMod(V(c.n), V(c.d), r2);
    EXPECT_TRUE(SameRecord(q2, q));
    EXPECT_TRUE(SameRecord(r2, r));
  }
}

TEST(LongDivision, ZeroDivisorAndCapacity) {
  TLongNum q, r;
  LongDivMod(V(9), LongZero, q, r);
  EXPECT_TRUE(SameRecord(q, MaxLongNum));
  EXPECT_TRUE(SameRecord(r, LongZero));
  EXPECT_TRUE(OverflowFlag);
  OverflowFlag = false;
  LongMod(V(9), LongZero, r);
  EXPECT_TRUE(SameRecord(r, MaxLongNum));
  EXPECT_TRUE(OverflowFlag);

  OverflowFlag = false;
  LongDiv(Pow256(4165), V(1), q);
  EXPECT_TRUE(SameRecord(q, Pow256(4165)));
  EXPECT_FALSE(OverflowFlag);
  // Dividing a full-width value is beyond the division's capacity when the divisor, shifted up
  // to the top bit, is not above it.
  LongDivMod(FullWidth(), V(1), q, r);
  EXPECT_TRUE(SameRecord(q, MaxLongNum));
  EXPECT_TRUE(SameRecord(r, MaxLongNum));
  EXPECT_TRUE(OverflowFlag);
  OverflowFlag = false;
  LongDivMod(FullWidth(128), V(3), q, r);
  EXPECT_FALSE(OverflowFlag);
  EXPECT_TRUE(SameRecord(r, V(2)));
  LongGcd(FullWidth(), V(1), q);
  EXPECT_TRUE(SameRecord(q, MaxLongNum));
  EXPECT_TRUE(OverflowFlag);
}

TEST(LongGcd, SmallCases) {
  struct Case {
    long long a, b, g;
  };
  const Case cases[] = {{12, 18, 6}, {-12, 18, 6},      {0, -7, 7}, {7, 0, 7},
                        {0, 0, 0},   {1, 987654321, 1}, {-9, -9, 9}};
  for (const Case& c : cases) {
    TLongNum g;
    LongGcd(V(c.a), V(c.b), g);
    EXPECT_TRUE(SameRecord(g, V(c.g))) << c.a << ", " << c.b;
  }
  TLongNum g;
  LongGcd(Record(0, -1), Record(0, -1), g);
  EXPECT_TRUE(SameRecord(g, LongZero));
}

}  // namespace

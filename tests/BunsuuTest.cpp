// Fractions: known cases, zero denominators, saturated operands, aliasing, and sums,
// differences, products and quotients against GMP's rationals.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "LongTestSupport.h"
#include "TavoLongBunsuu.h"

namespace {

using longtest::FromValue;
using longtest::SameRecord;
using longtest::Value;

TBunsuu F(const mpz_class& num, const mpz_class& den) {
  return {FromValue(num), FromValue(den)};
}
TBunsuu F(long num, long den) {
  return F(mpz_class(num), mpz_class(den));
}

::testing::AssertionResult SameFraction(const TBunsuu& actual, const TBunsuu& expected) {
  ::testing::AssertionResult num = SameRecord(actual.Num, expected.Num);
  if (!num) return num << " (numerator)";
  ::testing::AssertionResult den = SameRecord(actual.Den, expected.Den);
  if (!den) return den << " (denominator)";
  return ::testing::AssertionSuccess();
}

const TBunsuu Saturated{MaxLongNum, MaxLongNum};

TEST(Bunsuu, SetReducesAndMovesTheSign) {
  const struct {
    int a, b;
    TBunsuu expected;
    bool flag;
  } cases[] = {
      {-4, 239, F(-4, 239), false}, {6, -4, F(-3, 2), false},
      {0, 7, F(0, 1), false},       {0, -7, F(0, 1), false},
      {5, 0, F(1, 0), false},       {-5, 0, F(-1, 0), false},
      {0, 0, Saturated, true},      {-2147483647, -2147483647, F(1, 1), false},
  };
  for (const auto& c : cases) {
    OverflowFlag = false;
    TBunsuu f;
    BunsuuSet(c.a, c.b, f);
    EXPECT_TRUE(SameFraction(f, c.expected)) << c.a << "/" << c.b;
    EXPECT_EQ(OverflowFlag, c.flag) << c.a << "/" << c.b;
    EXPECT_TRUE(SameFraction(BunsuuMake(c.a, c.b), f));
  }
  EXPECT_TRUE(SameFraction(BunsuuFromInt(-3), F(-3, 1)));
}

TEST(Bunsuu, KnownSumsProductsAndQuotients) {
  OverflowFlag = false;
  EXPECT_TRUE(SameFraction(BunsuuSum(F(16, 5), F(-4, 239)), F(3804, 1195)));
  EXPECT_TRUE(SameFraction(BunsuuSub(F(3804, 1195), F(3, 1)), F(219, 1195)));
  TBunsuu r;
  BunsuuAdd(F(1, 6), F(1, 10), r);
  EXPECT_TRUE(SameFraction(r, F(4, 15)));
  BunsuuMul(F(16, 5), F(-1, 25), r);
  EXPECT_TRUE(SameFraction(r, F(-16, 125)));
  BunsuuDiv(F(2, 3), F(-4, 9), r);
  EXPECT_TRUE(SameFraction(r, F(-3, 2)));
  // The first pass of π.
  BunsuuMul(F(-4, 239), F(-1, 57121), r);
  EXPECT_TRUE(SameFraction(r, F(4, 13651919)));
  BunsuuAdd(F(-16, 125), F(4, 13651919), r);
  BunsuuDiv(r, BunsuuFromInt(3), r);
  EXPECT_TRUE(SameFraction(r, F(-72810068, 1706489875)));
  BunsuuAdd(F(219, 1195), r, r);
  EXPECT_TRUE(SameFraction(r, F(239927407, 1706489875)));
  EXPECT_FALSE(OverflowFlag);
}

TEST(Bunsuu, ZeroDenominators) {
  TBunsuu r;
  OverflowFlag = false;
  BunsuuDiv(F(3, 4), F(0, 6), r);  // 0/6 as it stands, not reduced
  EXPECT_TRUE(SameFraction(r, F(3, 0)));
  BunsuuDiv(F(-3, 4), F(0, 1), r);
  EXPECT_TRUE(SameFraction(r, F(-1, 0)));
  EXPECT_FALSE(OverflowFlag);
  BunsuuDiv(F(0, 1), F(0, 1), r);
  EXPECT_TRUE(SameFraction(r, Saturated));
  EXPECT_TRUE(OverflowFlag);
  TBunsuu z = F(7, 0);
  OverflowFlag = false;
  BunsuuReduce(z);
  EXPECT_TRUE(SameFraction(z, F(1, 0)));
  EXPECT_FALSE(OverflowFlag);
}

TEST(Bunsuu, SaturatedOperandsGiveSaturatedResults) {
  using Op = std::function<TBunsuu(const TBunsuu&, const TBunsuu&)>;
  const Op ops[] = {
      [](const TBunsuu& x, const TBunsuu& y) { return BunsuuSum(x, y); },
      [](const TBunsuu& x, const TBunsuu& y) { return BunsuuSub(x, y); },
      [](const TBunsuu& x, const TBunsuu& y) {
        TBunsuu r;
        BunsuuMul(x, y, r);
        return r;
      },
      [](const TBunsuu& x, const TBunsuu& y) {
        TBunsuu r;
        BunsuuDiv(x, y, r);
        return r;
      },
  };
  const TBunsuu saturatedOperands[] = {{MaxLongNum, LongOne},
                                       {LongOne, MaxLongNum},
                                       {longtest::NegatedMax(), FromValue(3)},
                                       Saturated};
  for (const Op& op : ops) {
    for (const TBunsuu& s : saturatedOperands) {
      OverflowFlag = false;
      EXPECT_TRUE(SameFraction(op(s, F(2, 3)), Saturated));
      EXPECT_TRUE(SameFraction(op(F(-2, 3), s), Saturated));
      EXPECT_FALSE(OverflowFlag);
    }
  }
}

// A sum whose common denominator outgrows the capacity saturates it and sets the flag.
TEST(Bunsuu, SumBeyondTheCapacity) {
  const mpz_class big = (mpz_class(1) << (8 * 2100)) + 1;
  const mpz_class other = (mpz_class(1) << (8 * 2100)) + 3;
  OverflowFlag = false;
  EXPECT_TRUE(SameFraction(BunsuuSum(F(1, big), F(1, other)), Saturated));
  EXPECT_TRUE(OverflowFlag);
  TBunsuu r;
  OverflowFlag = false;
  BunsuuMul(F(1, big), F(1, other), r);
  EXPECT_TRUE(SameFraction(r, {LongOne, MaxLongNum}));
  EXPECT_TRUE(OverflowFlag);
}

// The fraction of a reduced mpq.
TBunsuu FromRational(const mpq_class& q) {
  return F(q.get_num(), q.get_den());
}

// A random reduced fraction of up to maxDigits digits in each part.
mpq_class RandomRational(longtest::OperandSource& source, int maxDigits) {
  mpz_class num = source.ValueOfLength(1 + source.Below(maxDigits));
  mpz_class den = source.MagnitudeOfLength(1 + source.Below(maxDigits));
  if (source.Below(8) == 0) num = 0;
  if (source.Below(8) == 0)
    den = num == 0 ? mpz_class(1) : mpz_class(abs(num) + source.Below(3) + 1);
  if (source.Below(6) == 0) {
    // A large shared factor, so that the reductions have work to do.
    const mpz_class g = source.MagnitudeOfLength(1 + source.Below(maxDigits));
    num *= g;
    den *= g;
  }
  mpq_class q(num, den);
  q.canonicalize();
  return q;
}

TEST(Bunsuu, AgreesWithGmpRationals) {
  longtest::OperandSource source(31);
  for (int i = 0; i < 1500; ++i) {
    const int size = i % 3 == 0 ? 1000 : 40;
    const mpq_class x = RandomRational(source, size);
    const mpq_class y = i % 11 == 0 ? x : RandomRational(source, size);
    const TBunsuu fx = FromRational(x);
    const TBunsuu fy = FromRational(y);
    OverflowFlag = false;
    EXPECT_TRUE(SameFraction(BunsuuSum(fx, fy), FromRational(x + y))) << i;
    EXPECT_TRUE(SameFraction(BunsuuSub(fx, fy), FromRational(x - y))) << i;
    TBunsuu r;
    BunsuuMul(fx, fy, r);
    EXPECT_TRUE(SameFraction(r, FromRational(x * y))) << i;
    if (y != 0) {
      BunsuuDiv(fx, fy, r);
      EXPECT_TRUE(SameFraction(r, FromRational(x / y))) << i;
    }
    // An unreduced numerator and denominator reduce to the same.
    TBunsuu unreduced = F(x.get_num() * 6, x.get_den() * -6);
    BunsuuReduce(unreduced);
    EXPECT_TRUE(SameFraction(unreduced, FromRational(-x))) << i;
    ASSERT_FALSE(OverflowFlag) << i;
  }
}

// A product of a power of each of the primes, each exponent below maxExponent.
mpz_class SmoothNumber(longtest::OperandSource& source, const std::vector<std::int32_t>& primes,
                       int maxExponent) {
  mpz_class n = 1;
  for (const std::int32_t p : primes) {
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), static_cast<unsigned long>(p),
                  static_cast<unsigned long>(source.Below(maxExponent)));
    n *= power;
  }
  return n;
}

// The sum of two fractions in lowest terms is the same by Henrici's method as by the full
// reduction, records and flag alike, also where the sum reaches the capacity; and the same
// again where the common factors are looked for among the primes of y's denominator.
TEST(Bunsuu, AddReducedAgreesWithAdd) {
  longtest::OperandSource source(33);
  const std::vector<std::int32_t> primes = {3, 5, 239};
  for (int i = 0; i < 1200; ++i) {
    const int size = i % 4 == 0 ? MaxDigits / 2 + 2 : 300;
    mpq_class x = RandomRational(source, size);
    mpq_class y = RandomRational(source, size);
    if (i % 10 == 0) y = -x + mpq_class(1, x.get_den());
    // Odd cases: y's denominator is a product of the primes, and x's shares some of them.
    const bool smooth = i % 2 == 1;
    if (smooth) {
      y = mpq_class(y.get_num(), SmoothNumber(source, primes, size / 6));
      x = mpq_class(x.get_num(), x.get_den() * SmoothNumber(source, primes, size / 6));
      x.canonicalize();
      y.canonicalize();
    }
    TBunsuu fx = FromRational(x);
    TBunsuu fy = FromRational(y);
    if (i % 25 == 0) fx.Num = MaxLongNum;
    OverflowFlag = false;
    TBunsuu expected;
    BunsuuAdd(fx, fy, expected);
    const bool expectedFlag = OverflowFlag;
    OverflowFlag = false;
    TBunsuu r;
    BunsuuAddReduced(fx, fy, r);
    ASSERT_TRUE(SameFraction(r, expected)) << i;
    ASSERT_EQ(OverflowFlag, expectedFlag) << i;
    if (smooth) {
      OverflowFlag = false;
      BunsuuAddReduced(fx, fy, primes, r);
      ASSERT_TRUE(SameFraction(r, expected)) << i;
      ASSERT_EQ(OverflowFlag, expectedFlag) << i;
    }
    OverflowFlag = false;
    BunsuuAddReduced(fx, fy, fx);
    ASSERT_TRUE(SameFraction(fx, expected)) << i;
  }
}

TEST(Bunsuu, DestinationMayBeAnOperand) {
  using Op = void (*)(const TBunsuu&, const TBunsuu&, TBunsuu&);
  const Op ops[] = {BunsuuAdd, BunsuuMul, BunsuuDiv};
  longtest::OperandSource source(32);
  for (int i = 0; i < 300; ++i) {
    const TBunsuu x = FromRational(RandomRational(source, 200));
    TBunsuu y = FromRational(RandomRational(source, 200));
    if (LongIsZero(y.Num)) y = F(1, 7);
    for (Op op : ops) {
      TBunsuu expected;
      op(x, y, expected);
      TBunsuu a = x;
      op(a, y, a);
      EXPECT_TRUE(SameFraction(a, expected)) << i;
      TBunsuu b = y;
      op(x, b, b);
      EXPECT_TRUE(SameFraction(b, expected)) << i;
      TBunsuu c = x;
      TBunsuu same;
      op(x, x, same);
      op(c, c, c);
      EXPECT_TRUE(SameFraction(c, same)) << i;
    }
  }
}

}  // namespace

// Fractions: known cases, zero denominators, saturated operands, the full width, and sums,
// differences, products and quotients against GMP's rationals through the arithmetic checker.
#include <gmp.h>
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "ArithCheck.h"
#include "LongGmp.h"
#include "LongTestSupport.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

using arithcheck::F;
using longtest::FromValue;
using longtest::SameRecord;

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
  using Op = void (*)(const TBunsuu&, const TBunsuu&, TBunsuu&);
  const Op ops[] = {BunsuuAdd, BunsuuMul, BunsuuDiv,
                    [](const TBunsuu& x, const TBunsuu& y, TBunsuu& r) { r = BunsuuSub(x, y); }};
  const TBunsuu saturatedOperands[] = {{MaxLongNum, LongOne},
                                       {LongOne, MaxLongNum},
                                       {longtest::NegatedMax(), FromValue(3)},
                                       Saturated};
  for (const Op& op : ops) {
    for (const TBunsuu& s : saturatedOperands) {
      TBunsuu r, q;
      op(s, F(2, 3), r);
      op(F(-2, 3), s, q);
      EXPECT_TRUE(SameFraction(r, Saturated));
      EXPECT_TRUE(SameFraction(q, Saturated));
      EXPECT_FALSE(OverflowFlag);
    }
  }
}

// A sum whose common denominator outgrows the capacity saturates it and sets the flag.
TEST(Bunsuu, SumBeyondTheCapacity) {
  const mpz_class big = (mpz_class(1) << (8 * 2100)) + 1;
  const mpz_class other = (mpz_class(1) << (8 * 2100)) + 3;
  EXPECT_TRUE(SameFraction(BunsuuSum(F(1, big), F(1, other)), Saturated));
  EXPECT_TRUE(OverflowFlag);
  TBunsuu r;
  OverflowFlag = false;
  BunsuuMul(F(1, big), F(1, other), r);
  EXPECT_TRUE(SameFraction(r, {LongOne, MaxLongNum}));
  EXPECT_TRUE(OverflowFlag);
}

// A numerator of the full width: even a division by a gcd of 1 is beyond the capacity and
// saturates it, in the full reduction and in the sum by Henrici's method alike.
TEST(Bunsuu, ReductionAtTheFullWidth) {
  const mpz_class full = mpz_class(1) << (MaxBits - 1);
  const struct {
    const char* what;
    TBunsuu f, expected;
    bool flag;
  } cases[] = {
      {"the full width", F(full, 3), {MaxLongNum, FromValue(3)}, true},
      {"a negative one", F(-full, 3), {MaxLongNum, FromValue(3)}, true},
      {"one below it", F(full - 1, 3), F(full - 1, 3), false},
  };
  for (auto c : cases) {
    OverflowFlag = false;
    BunsuuReduce(c.f);
    EXPECT_TRUE(SameFraction(c.f, c.expected)) << c.what;
    EXPECT_EQ(OverflowFlag, c.flag) << c.what;
  }
  TFactoredBunsuu sum;
  sum.Value = F(full - 1, 1);
  sum.Factors = {{5, 0}};
  OverflowFlag = false;
  const TPrimePower den[] = {{5, 0}};
  BunsuuAddFactored(sum, LongOne, den, 1);
  EXPECT_TRUE(SameFraction(sum.Value, Saturated));
  EXPECT_TRUE(OverflowFlag);
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

// x in lowest terms with its denominator factored over the primes.
TFactoredBunsuu Factored(const mpq_class& x, const std::vector<std::int32_t>& primes = {5, 239}) {
  TFactoredBunsuu f;
  f.Value = F(x);
  mpz_class rest = x.get_den();
  for (const std::int32_t p : primes) {
    TPrimePower& power = f.Factors.emplace_back(TPrimePower{p, 0});
    for (; rest % p == 0; rest /= p)
      ++power.Exponent;
  }
  f.Rest = FromValue(rest);
  return f;
}

// Fractions small enough for every operation to be checked against GMP, and, a quarter of
// them, large enough for the sums to reach the capacity; some with a saturated numerator, some
// with y = x. In every third case y's denominator is powers of 5 and 239 times a rest of small
// primes, which x's shares, and the sum over the factored denominators is held against
// BunsuuAdd.
TEST(Bunsuu, AgreesWithGmpAndTheFactoredSumWithBunsuuAdd) {
  arithcheck::Checker check([](const std::string& what) { ADD_FAILURE() << what; });
  longtest::OperandSource source(31);
  for (int i = 0; i < 2700; ++i) {
    const int size = i % 4 == 0 ? MaxDigits / 2 + 2 : i % 3 == 0 ? 1000 : i % 2 == 0 ? 300 : 40;
    mpq_class x = RandomRational(source, size);
    mpq_class y = i % 11 == 0 ? x : RandomRational(source, size);
    // A sum that cancels down to 1 / x's denominator.
    if (i % 10 == 0) y = -x + mpq_class(1, x.get_den());
    if (i % 3 == 0) {
      y = mpq_class(y.get_num(),
                    SmoothNumber(source, {5, 239}, size / 6 + 2) * SmoothNumber(source, {3, 7}, 8));
      x = mpq_class(x.get_num(), x.get_den() * SmoothNumber(source, {3, 5, 239}, size / 6 + 2));
      x.canonicalize();
      y.canonicalize();
      TFactoredBunsuu fx = Factored(x);
      if (i % 25 == 0) fx.Value.Num = MaxLongNum;
      const TFactoredBunsuu fy = Factored(y);
      check.FactoredSum(fx, fy.Value, fy.Factors,
                        static_cast<std::int32_t>(arithcheck::WordOf(fy.Rest)));
    }
    TBunsuu fx = F(x);
    if (i % 25 == 0) fx.Num = MaxLongNum;
    check.Fractions(fx, F(y));
    ASSERT_FALSE(HasFailure()) << "case " << i;
  }
}

// More candidate primes than the product in a word holds: three primes near 2^31 and 5, in
// both denominators, so that the common factors of the new numerator are looked for one by one.
// Each sum s = x + y is chosen first, with a denominator that lacks some of x's prime powers,
// so that the sum cancels none, some or all of the large primes; the sum over the factored
// denominators is held against BunsuuAdd and its factors against GMP.
TEST(Bunsuu, FactoredSumWithMoreCandidatesThanAWordHolds) {
  const std::vector<std::int32_t> primes = {2147483647, 2147483629, 2147483587, 5};
  arithcheck::Checker check([](const std::string& what) { ADD_FAILURE() << what; });
  longtest::OperandSource source(37);
  const auto denominator = [&](int maxExponent) -> mpz_class {
    return SmoothNumber(source, primes, maxExponent) * SmoothNumber(source, {3, 7}, 4);
  };
  for (int i = 0; i < 300; ++i) {
    mpz_class xDen = denominator(3);
    // Every large prime in x's denominator at least once, so that each is a candidate.
    for (std::size_t j = 0; j + 1 < primes.size(); ++j) {
      if (xDen % primes[j] != 0) xDen *= primes[j];
    }
    mpq_class x(source.ValueOfLength(1 + source.Below(40)), xDen);
    mpq_class sum(source.ValueOfLength(1 + source.Below(40)), denominator(2));
    x.canonicalize();
    sum.canonicalize();
    const mpq_class y = sum - x;
    const TFactoredBunsuu fy = Factored(y, primes);
    check.FactoredSum(Factored(x, primes), fy.Value, fy.Factors,
                      static_cast<std::int32_t>(arithcheck::WordOf(fy.Rest)));
    ASSERT_FALSE(HasFailure()) << "case " << i;
  }
}

}  // namespace

// Every operation of TavoLong against GMP on many generated operands, both signs, zeros with
// either Sign and saturated values, through the checker that the arithmetic fuzzer drives too:
// each result in a record of its own and in each of the operands. The same checker holds the
// portable double word to the compiler's own 128-bit integer.
#include <gmp.h>
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <random>
#include <string>

#include "ArithCheck.h"
#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "LongGmp.h"
#include "LongTestSupport.h"
#include "TavoLong.h"

namespace {

using namespace arithcheck;
using longtest::OperandSource;
using longtest::Record;

// Each difference that the checker finds fails the running test.
arithcheck::Checker& Check() {
  static arithcheck::Checker checker([](const std::string& what) { ADD_FAILURE() << what; });
  return checker;
}

// Each operation of two operands on generated operands from a seed of its own, every seventh
// time with b the same as a, the separate result holding a generated value before.
struct BinaryRun {
  const BinaryCase* operation;
  std::uint64_t seed;
  int cases;
};

class BinaryAgainstGmp : public ::testing::TestWithParam<BinaryRun> {};

TEST_P(BinaryAgainstGmp, EveryArrangementOfRecords) {
  OperandSource source(GetParam().seed);
  for (int i = 0; i < GetParam().cases; ++i) {
    const TLongNum a = source.Operand();
    const TLongNum b = i % 7 == 0 ? a : source.Operand();
    Check().BinaryOp(*GetParam().operation, a, b, source.Operand());
    ASSERT_FALSE(HasFailure()) << "case " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    LongAgainstGmp, BinaryAgainstGmp,
    ::testing::Values(BinaryRun{&Add, 1, 4000}, BinaryRun{&Sub, 2, 4000},
                      BinaryRun{&AddAbs, 3, 3000}, BinaryRun{&SubAbs, 4, 3000},
                      BinaryRun{&Mul, 5, 3000}, BinaryRun{&Div, 6, 3000}, BinaryRun{&Mod, 7, 3000},
                      BinaryRun{&Gcd, 8, 1500}, BinaryRun{&MulWord, 40, 2000},
                      BinaryRun{&MulAddWord, 45, 2000}, BinaryRun{&MulWordPairFirst, 48, 1500},
                      BinaryRun{&MulWordPairSecond, 49, 1500}, BinaryRun{&DivModWord, 41, 2000},
                      BinaryRun{&DivModWordRemainder, 42, 2000}, BinaryRun{&ModWord, 43, 2000},
                      BinaryRun{&DivExactWord, 44, 2000}),
    [](const auto& info) { return info.param.operation->name; });

// A division whose divisor is a little shorter than the dividend, as the decimal expansion of
// a fraction and the gcd make them, with quotients of one or a few words.
TEST(LongAgainstGmp, DivModShortQuotients) {
  OperandSource source(9);
  for (int i = 0; i < 3000; ++i) {
    const int len = 2 + source.Below(MaxDigits - 1);
    const int dlen = std::max(1, len - source.Below(17));
    const TLongNum n = longtest::FromValue(source.ValueOfLength(len));
    const TLongNum d = longtest::FromValue(source.ValueOfLength(dlen));
    Check().DivMod(n, d, source.Operand());
    ASSERT_FALSE(::testing::Test::HasFailure()) << "case " << i;
  }
}

// LongDivMod with its two results in every arrangement over the operands.
TEST(LongAgainstGmp, DivModAliasing) {
  OperandSource source(10);
  for (int i = 0; i < 2000; ++i) {
    const TLongNum n = source.Operand();
    const TLongNum d = source.Operand();
    Check().DivMod(n, d, source.Operand());
    ASSERT_FALSE(::testing::Test::HasFailure()) << "case " << i;
  }
}

// Dividends of the full width: the division and the gcd either finish or saturate.
TEST(LongAgainstGmp, DivisionAtFullWidth) {
  OperandSource source(11);
  int saturated = 0;
  for (int i = 0; i < 600; ++i) {
    mpz_class n = source.MagnitudeOfLength(MaxDigits);
    n |= mpz_class(1) << (MaxBits - 1);
    const mpz_class top = n >> (MaxBits - 64);
    mpz_class d;
    switch (i % 4) {
      case 0:  // the divisor's leading bits just below or above the dividend's
        d = (top + source.Below(3) - 1) << source.Below(3000);
        break;
      case 1:
        d = source.MagnitudeOfLength(1 + source.Below(MaxDigits));
        break;
      case 2:
        d = n - source.Below(2);
        break;
      default:
        d = n >> source.Below(MaxBits - 1);
        break;
    }
    if (d == 0) d = 1;
    const TLongNum tn = Record(n, source.Below(2) ? 1 : -1);
    const TLongNum td = Record(d, source.Below(2) ? 1 : -1);
    saturated += ModelDivision(tn, td, true).q.flag;
    Check().DivMod(tn, td, LongZero);
    Check().BinaryOp(Gcd, tn, td, LongZero);
    ASSERT_FALSE(::testing::Test::HasFailure()) << "case " << i;
  }
  EXPECT_GT(saturated, 50);
  EXPECT_LT(saturated, 550);
}

// The gcd of numbers with a large common factor, so that the result is long and Lehmer's
// steps run to the end.
TEST(LongAgainstGmp, GcdWithCommonFactor) {
  OperandSource source(12);
  for (int i = 0; i < 800; ++i) {
    const int glen = 1 + source.Below(2000);
    const mpz_class g = source.MagnitudeOfLength(glen);
    const mpz_class a = g * source.MagnitudeOfLength(1 + source.Below(MaxDigits - glen));
    const mpz_class b = g * source.MagnitudeOfLength(1 + source.Below(MaxDigits - glen));
    Check().BinaryOp(Gcd, longtest::FromValue(a), longtest::FromValue(-b), source.Operand());
    ASSERT_FALSE(::testing::Test::HasFailure()) << "case " << i;
  }
}

// Operands shaped for the corners of Lehmer's method: leading bits that cannot decide a single
// quotient, quotients of every size within the leading bits, lengths a word or more apart,
// and values of one and two words.
TEST(LongAgainstGmp, GcdCorners) {
  const auto power = [](unsigned long e) { return mpz_class(mpz_class(1) << e); };
  struct Case {
    mpz_class a, b;
  };
  const Case cases[] = {
      {power(200) + 5, power(200) + 3},                 // the same leading bits
      {power(700) * 3 + 1, power(700) + 7},             // a quotient of 3 only at the top
      {power(300), power(260) + 1},                     // a quotient of 2^40
      {power(300) + 12345, power(280) + 99},            // a quotient of 2^20
      {power(300) * 977 + 1, power(290) + 3},           // a quotient of about 2^20 * 977
      {power(191), (power(96) + power(64) - 1) << 64},  // an estimated quotient one too large
      {power(900) + 1, power(700) + 1},                 // lengths three words apart
      {power(127) + 1, power(64) + 3},                  // two words and a little more
      {power(128) - 1, power(64)},                      // two words and one
      {(power(1000) + 1) * (power(64) - 59), (power(990) + 7) * (power(64) - 59)},
  };
  for (const Case& c : cases) {
    const TLongNum a = longtest::FromValue(c.a);
    const TLongNum b = longtest::FromValue(c.b);
    Check().BinaryOp(Gcd, a, b, LongZero);
    Check().BinaryOp(Gcd, b, a, LongZero);
    ASSERT_FALSE(::testing::Test::HasFailure()) << c.a.get_str(16);
  }
}

// Consecutive Fibonacci numbers: every Euclid quotient is 1, the slowest case for Lehmer.
TEST(LongAgainstGmp, GcdOfFibonacciNumbers) {
  for (int k : {10, 93, 94, 200, 1000, 20000, 47000}) {
    mpz_class f, g;
    mpz_fib2_ui(f.get_mpz_t(), g.get_mpz_t(), k);
    TLongNum result;
    LongGcd(longtest::FromValue(f), longtest::FromValue(g), result);
    EXPECT_TRUE(longtest::SameRecord(result, LongOne)) << k;
    EXPECT_FALSE(OverflowFlag);
  }
}

TEST(LongAgainstGmp, Shifts) {
  OperandSource source(13);
  for (const ShiftCase* shift : {&ShiftLeft, &ShiftRight, &ShiftLeftDigits, &ShiftRightDigits}) {
    const int unit = shift->bitsPerCount;
    for (int i = 0; i < 3000; ++i) {
      const TLongNum a = source.Operand();
      int count;
      switch (source.Below(4)) {
        case 0:
          count = source.Below(80);
          break;
        case 1:
          count = 65535 - source.Below(3);
          break;
        default:
          count = source.Below(MaxBits / unit + 10);
          break;
      }
      Check().Shifted(*shift, a, count);
      ASSERT_FALSE(::testing::Test::HasFailure()) << "case " << i;
    }
  }
}

TEST(LongAgainstGmp, ComparisonsSignAndIntConversion) {
  OperandSource source(14);
  for (int i = 0; i < 5000; ++i) {
    const TLongNum a = source.Operand();
    // Every fifth b next to a, where that still fits.
    const mpz_class near = longtest::Value(a) + source.Below(3) - 1;
    const TLongNum b = i % 5 != 0                         ? source.Operand()
                       : abs(near) < longtest::Capacity() ? longtest::FromValue(near)
                                                          : a;
    Check().Queries(a, b);
    ASSERT_FALSE(::testing::Test::HasFailure()) << "case " << i;
  }
}

TEST(LongAgainstGmp, IntConversionsBothWays) {
  OperandSource source(15);
  for (int i = 0; i < 20000; ++i) {
    const std::int32_t v = static_cast<std::int32_t>(source.Engine()() >> (source.Below(32) + 32));
    const std::int32_t signedV = source.Below(2) ? v : static_cast<std::int32_t>(-std::int64_t{v});
    TLongNum r = source.Operand();
    LongFromInt(signedV, r);
    ASSERT_TRUE(longtest::SameRecord(r, longtest::FromValue(signedV))) << signedV;
    std::int32_t back = 12345;
    ASSERT_TRUE(LongToInt(r, back));
    ASSERT_EQ(back, signedV);
  }
}

// A block of up to count square-root steps at once must leave the records, the digits and the
// flag that count single steps leave. A step that saturates leaves root * 10 and rem * 100,
// each saturated where it outgrows the capacity.
void SqrtBlockAgreesWithSteps(const mpz_class& root, const mpz_class& rem, int count) {
  TLongNum stepRoot = Record(root, 1), stepRem = Record(rem, 1);
  TLongNum blockRoot = stepRoot, blockRem = stepRem;
  OverflowFlag = false;
  char digits[LongSqrtBlockDigits];
  const int taken = LongSqrtDigits(blockRoot, blockRem, count, digits);
  const bool blockFlag = OverflowFlag;
  OverflowFlag = false;
  std::string stepDigits;
  for (int i = 0; i < std::max(taken, 1) && !OverflowFlag; ++i) {
    const int d = LongSqrtStep(stepRoot, stepRem);
    if (d >= 0) stepDigits += static_cast<char>('0' + d);
  }
  const std::string at = root.get_str() + ", " + rem.get_str() + ", " + std::to_string(count);
  ASSERT_LE(taken, std::min(count, LongSqrtBlockDigits)) << at;
  EXPECT_EQ(std::string(digits, static_cast<std::size_t>(taken)), stepDigits) << at;
  EXPECT_TRUE(longtest::SameRecord(blockRoot, stepRoot)) << at;
  EXPECT_TRUE(longtest::SameRecord(blockRem, stepRem)) << at;
  EXPECT_EQ(blockFlag, OverflowFlag) << at;
  if (taken == 0) {
    const auto product = [](const mpz_class& v) {
      return v >= longtest::Capacity() ? MaxLongNum : Record(v, 1);
    };
    EXPECT_TRUE(longtest::SameRecord(stepRoot, product(root * 10))) << at;
    EXPECT_TRUE(longtest::SameRecord(stepRem, product(rem * 100))) << at;
  }
}

// Longhand square-root steps where the precondition allows: the remainder at both its ends,
// root * 10 + d carrying into a new word, and roots near the capacity; then generated ones.
// Each is also taken as one block of digits, where the root reaches a word, its words are all
// ones, and it lies near the capacity, where the blocks shrink and end.
TEST(LongAgainstGmp, SqrtSteps) {
  const mpz_class wordCarry("1844674407370955161");  // 10 * this + 9 needs a second word
  const mpz_class twoWordCarry = ((mpz_class(1) << 128) - 1) / 10;
  const mpz_class roots[] = {0,
                             1,
                             9,
                             wordCarry,
                             wordCarry - 1,
                             twoWordCarry,
                             (longtest::Capacity() - 1) / 10,
                             (longtest::Capacity() - 1) / 20,
                             (longtest::Capacity() - 1) / 20 + 1,
                             (mpz_class(1) << 63) - 1,
                             mpz_class(1) << 63,
                             (mpz_class(1) << 64) - 1,
                             (mpz_class(1) << 640) - 1,
                             longtest::Capacity() >> 135,
                             longtest::Capacity() >> 136,
                             (longtest::Capacity() >> 136) - 1,
                             longtest::Capacity() >> 16,
                             longtest::Capacity() >> 17,
                             longtest::Capacity() >> 40};
  for (const mpz_class& root : roots) {
    for (const mpz_class& rem : {mpz_class(0), mpz_class(1), mpz_class(root),
                                 mpz_class(2 * root - 1), mpz_class(2 * root)}) {
      if (rem < 0 || rem > 2 * root) continue;
      Check().SqrtStep(root, rem);
      for (const int count : {1, 7, 19, 40})
        SqrtBlockAgreesWithSteps(root, rem, count);
    }
  }
  // A block whose estimate is two too large, mended by adding back twice, and whose digits lie
  // above 2^63, so that twice them does not fit a word.
  SqrtBlockAgreesWithSteps(mpz_class("4835703278458526257639421"),
                           mpz_class("9671403313721566436270291"), 19);
  OperandSource source(16);
  for (int i = 0; i < 3000; ++i) {
    const mpz_class root = source.MagnitudeOfLength(source.Length());
    const mpz_class rem = source.MagnitudeOfLength(source.Length()) % (2 * root + 1);
    Check().SqrtStep(root, rem);
    SqrtBlockAgreesWithSteps(root, rem, 1 + source.Below(25));
    ASSERT_FALSE(::testing::Test::HasFailure()) << "case " << i;
  }
}

// Decimal expansions of proper fractions, short and long, against GMP's long division.
TEST(LongAgainstGmp, DecimalExpansions) {
  OperandSource source(17);
  for (int i = 0; i < 1000; ++i) {
    const mpz_class den = source.MagnitudeOfLength(source.Length());
    const mpz_class num = source.MagnitudeOfLength(source.Length()) % den;
    Check().Expansion(Record(num, source.Below(2) ? 1 : -1), Record(den, source.Below(2) ? 1 : -1),
                      source.Below(400), source.Operand());
    ASSERT_FALSE(::testing::Test::HasFailure()) << "case " << i;
  }
}

}  // namespace

// Decimal fixed point held to GMP: steps whose quotients carry into the words above, the integer
// word, the precision cut.
TEST(LongAgainstGmp, DecimalFixed) {
  constexpr std::uint64_t Big = std::uint64_t{1} << 61, Ones = ~std::uint64_t{0};
  // c / b is 1/3 + 1/(3b): its second word after the point is at least 3333333333333333334.
  constexpr std::uint64_t Third = 9999999999999999998u;
  const DecimalStep none{0, 0, 1};
  for (const DecimalCase& c : std::initializer_list<DecimalCase>{
           // Quotients at the base: a at 2/5 of b on words of nines; two steps in one pass; an
           // integer word; a quotient of exactly 10^19 (2.5 times 2/5); a carry that brings the
           // word above to exactly 10^19 ((3 x + 7) / 8 for x just above 1/3); words that carry
           // into the integer word.
           {4, 999999999, 1000000000, {{2 * Big / 5, 0, Big}}, 1, 4},
           {4, 999999999, 1000000000, {{2, 1, 5}, {2 * Big / 5, Big, Big}}, 2, 4},
           {5, 6, 3, {{1, 0, 7}, {1, 3, 3}}, 2, 2},
           {2, 5, 2, {{2, 0, 5}}, 1, 2},
           {2, 0, 1, {{0, (Third + 1) / 3, Third}, {3, 7, 8}}, 2, 2},
           {3, 0, 1, {{0, Big / 5 - 1, Big}}, 1, 3},
           {2, 0, 1, {{0, Ones - 1, Ones}}, 1, 2},
           {3, 1, 5, {none}, 0, 3},
       }) {
    mpz_class value;
    Check().Decimal(c, value);
  }
  OperandSource source(45);
  std::mt19937_64& random = source.Engine();
  for (int i = 0; i < 1000; ++i) {
    mpz_class value;
    Check().Decimal(arithcheck::DecimalCaseFrom([&] { return random(); },
                                                [&](int n) { return source.Below(n); }),
                    value);
    ASSERT_FALSE(HasFailure()) << "case " << i;
  }
}

// Decimal bounds kept through chains of products, quotients and scalings like a tail's, narrow
// and wide: each step rounds the exact bounds outward, by less than its share of the high it
// leaves.
TEST(LongAgainstGmp, DecimalBoundsHoldTheirValue) {
  OperandSource source(47);
  std::mt19937_64& random = source.Engine();
  using arithcheck::DecimalValue;
  const mpq_class part(1, mpz_class("100000000000000000"));  // 10^-17
  for (int i = 0; i < 300; ++i) {
    DecimalBounds x{0, 1 + random() % DecimalBounds::MantissaLimit, -source.Below(40)};
    x.low = x.high >> source.Below(64);
    for (int step = 1; step <= 40; ++step) {
      mpq_class low = DecimalValue(x.low, x.exponent), high = DecimalValue(x.high, x.exponent);
      mpq_class share;
      if (const int op = source.Below(3); op == 0) {
        const std::uint64_t factor = 1 + random() % 18;
        x.Multiply(factor);
        low *= FromWord(factor);
        high *= FromWord(factor);
        share = 2 * part;
      } else if (op == 1) {
        const std::uint64_t divisor = 1 + (random() >> (44 + source.Below(20)));
        x.Divide(divisor);
        low /= FromWord(divisor);
        high /= FromWord(divisor);
        share = 2 * FromWord(divisor) * part;
      } else {
        const std::uint64_t f = DecimalBounds::RatioUnit / 2 + (random() >> 2), more = random() % 4;
        x.Scale(f, f + more);
        low *= mpq_class(FromWord(f), FromWord(DecimalBounds::RatioUnit));
        high *= mpq_class(FromWord(f + more), FromWord(DecimalBounds::RatioUnit));
        share = 4 * part;
      }
      const mpq_class lowNow = DecimalValue(x.low, x.exponent),
                      highNow = DecimalValue(x.high, x.exponent);
      ASSERT_TRUE(lowNow <= low && high <= highNow) << "case " << i << " step " << step;
      ASSERT_LT(low - lowNow + highNow - high, share * highNow) << "case " << i << " step " << step;
    }
  }
}

// Every operator of the portable double word on words at the edges of their halves and of the
// whole, in every pairing, then on generated ones: quotients by one and two words, products
// that wrap, shifts across the middle.
TEST(PortableDoubleWordAgainstNative, EveryOperator) {
#if !defined(__SIZEOF_INT128__)
  GTEST_SKIP() << "the compiler has no 128-bit integer to check against";
#else
  constexpr std::uint64_t Ones = ~std::uint64_t{0}, Top = std::uint64_t{1} << 63;
  const std::uint64_t edges[] = {0,       1,   2,       3,        0xFFFFFFFF, 0x100000000,
                                 Top - 1, Top, Top + 1, Ones - 1, Ones};
  const int shifts[] = {0, 1, 31, 32, 63, 64, 65, 96, 127};
  for (const std::uint64_t aHigh : edges) {
    for (const std::uint64_t aLow : edges) {
      for (const std::uint64_t bHigh : edges) {
        for (const std::uint64_t bLow : edges)
          Check().DoubleWordOperators(aHigh, aLow, bHigh, bLow, shifts[(aLow + bHigh) % 9]);
      }
      ASSERT_FALSE(HasFailure());
    }
  }
  OperandSource source(46);
  std::mt19937_64& random = source.Engine();
  // A word that is random, small, near a power of two, or all ones.
  const auto word = [&] {
    switch (source.Below(5)) {
      case 0:
        return random() >> source.Below(64);
      case 1:
        return (std::uint64_t{1} << source.Below(64)) - source.Below(3);
      case 2:
        return Ones - source.Below(3);
      default:
        return random();
    }
  };
  for (int i = 0; i < 200000; ++i) {
    const std::uint64_t aHigh = word(), aLow = word();
    const std::uint64_t bHigh = i % 3 == 0 ? 0 : word() >> source.Below(64), bLow = word();
    Check().DoubleWordOperators(aHigh, aLow, bHigh, bLow, source.Below(128));
    ASSERT_FALSE(HasFailure()) << "case " << i;
  }
#endif
}

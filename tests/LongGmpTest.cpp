// Every operation of TavoLong against GMP on many generated operands, both signs, zeros with
// either Sign and saturated values, with the result in a record of its own and in each of
// the operands. GMP supplies the values; the few lines of each model below say what becomes
// of signs, zeros and saturation.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "LongModels.h"
#include "LongTestSupport.h"
#include "TavoLong.h"

namespace {

using namespace longmodels;
using longtest::Magnitude;
using longtest::OperandSource;
using longtest::Record;
using longtest::SameRecord;
using longtest::Value;

using BinaryOp = std::function<void(const TLongNum&, const TLongNum&, TLongNum&)>;
using BinaryModel = std::function<Outcome(const TLongNum&, const TLongNum&)>;

::testing::AssertionResult Matches(const TLongNum& actual, const Outcome& expected,
                                   const std::string& where) {
  ::testing::AssertionResult same = SameRecord(actual, expected.value);
  if (!same) return same << " (" << where << ")";
  if (OverflowFlag != expected.flag) {
    return ::testing::AssertionFailure()
           << "OverflowFlag is " << OverflowFlag << " (" << where << ")";
  }
  return ::testing::AssertionSuccess();
}

// Runs op with a separate result that held a long value before, with the result in a, in b,
// and with a, b and the result all one record.
void CheckBinary(const BinaryOp& op, const BinaryModel& model, int cases, std::uint64_t seed) {
  OperandSource source(seed);
  for (int i = 0; i < cases; ++i) {
    const TLongNum a = source.Operand();
    const TLongNum b = i % 7 == 0 ? a : source.Operand();
    const Outcome expected = model(a, b);

    TLongNum result = source.Operand();
    OverflowFlag = false;
    op(a, b, result);
    ASSERT_TRUE(Matches(result, expected, "separate result, case " + std::to_string(i)));

    TLongNum x = a;
    OverflowFlag = false;
    op(x, b, x);
    ASSERT_TRUE(Matches(x, expected, "result in a, case " + std::to_string(i)));

    TLongNum y = b;
    OverflowFlag = false;
    op(a, y, y);
    ASSERT_TRUE(Matches(y, expected, "result in b, case " + std::to_string(i)));

    if (i % 7 == 0) {
      TLongNum z = a;
      OverflowFlag = false;
      op(z, z, z);
      ASSERT_TRUE(Matches(z, expected, "one record, case " + std::to_string(i)));
    }
  }
}

TEST(LongAgainstGmp, Add) {
  CheckBinary(LongAdd, ModelAdd, 4000, 1);
}
TEST(LongAgainstGmp, Sub) {
  CheckBinary(LongSub, ModelSub, 4000, 2);
}
TEST(LongAgainstGmp, AddAbs) {
  CheckBinary(LongAddAbs, ModelAddAbs, 3000, 3);
}
TEST(LongAgainstGmp, SubAbs) {
  CheckBinary(LongSubAbs, ModelSubAbs, 3000, 4);
}
TEST(LongAgainstGmp, Mul) {
  CheckBinary(LongMul, ModelMul, 3000, 5);
}
TEST(LongAgainstGmp, Gcd) {
  CheckBinary(LongGcd, ModelGcd, 1500, 6);
}

TEST(LongAgainstGmp, Div) {
  CheckBinary(
      LongDiv, [](const TLongNum& n, const TLongNum& d) { return ModelDivision(n, d, true).q; },
      3000, 7);
}

TEST(LongAgainstGmp, Mod) {
  CheckBinary(
      LongMod, [](const TLongNum& n, const TLongNum& d) { return ModelDivision(n, d, false).r; },
      3000, 8);
}

// A division whose divisor is a little shorter than the dividend, as the decimal expansion of
// a fraction and the gcd make them, with quotients of one or a few words.
TEST(LongAgainstGmp, DivModShortQuotients) {
  OperandSource source(9);
  for (int i = 0; i < 3000; ++i) {
    const int len = 2 + source.Below(MaxDigits - 1);
    const int dlen = std::max(1, len - source.Below(17));
    const TLongNum n = longtest::FromValue(source.ValueOfLength(len));
    const TLongNum d = longtest::FromValue(source.ValueOfLength(dlen));
    const DivisionOutcome expected = ModelDivision(n, d, true);
    TLongNum q = source.Operand();
    TLongNum r = source.Operand();
    OverflowFlag = false;
    LongDivMod(n, d, q, r);
    ASSERT_TRUE(Matches(q, expected.q, "quotient, case " + std::to_string(i)));
    ASSERT_TRUE(Matches(r, expected.r, "remainder, case " + std::to_string(i)));
  }
}

// LongDivMod with its two results in every arrangement over the operands.
TEST(LongAgainstGmp, DivModAliasing) {
  OperandSource source(10);
  for (int i = 0; i < 2000; ++i) {
    const TLongNum n = source.Operand();
    const TLongNum d = source.Operand();
    const DivisionOutcome e = ModelDivision(n, d, true);
    const auto check = [&](const TLongNum& q, const TLongNum& r, const char* how) {
      ASSERT_TRUE(Matches(q, e.q, std::string("quotient, ") + how + ", case " + std::to_string(i)));
      // The flag is already checked with the quotient; the remainder's record is what counts.
      ASSERT_TRUE(SameRecord(r, e.r.value)) << how << ", case " << i;
    };
    {
      TLongNum q = source.Operand(), r = source.Operand();
      OverflowFlag = false;
      LongDivMod(n, d, q, r);
      check(q, r, "separate");
    }
    {
      TLongNum x = n, q = source.Operand();
      OverflowFlag = false;
      LongDivMod(x, d, q, x);
      check(q, x, "remainder over the dividend");
    }
    {
      TLongNum x = n, r = source.Operand();
      OverflowFlag = false;
      LongDivMod(x, d, x, r);
      check(x, r, "quotient over the dividend");
    }
    {
      TLongNum x = n, y = d;
      OverflowFlag = false;
      LongDivMod(x, y, y, x);
      check(y, x, "quotient over the divisor, remainder over the dividend");
    }
    {
      TLongNum x = n, y = d;
      OverflowFlag = false;
      LongDivMod(x, y, x, y);
      check(x, y, "quotient over the dividend, remainder over the divisor");
    }
  }
}

// Dividends of the full width: the division either finishes or saturates both results.
TEST(LongAgainstGmp, DivisionAtFullWidth) {
  OperandSource source(11);
  int saturated = 0;
  for (int i = 0; i < 600; ++i) {
    mpz_class n = source.MagnitudeOfLength(MaxDigits);
    n |= mpz_class(1) << (8 * MaxDigits - 1);
    const mpz_class top = n >> (8 * MaxDigits - 64);
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
        d = n >> source.Below(8 * MaxDigits - 1);
        break;
    }
    if (d == 0) d = 1;
    const TLongNum tn = Record(n, source.Below(2) ? 1 : -1);
    const TLongNum td = Record(d, source.Below(2) ? 1 : -1);
    const DivisionOutcome e = ModelDivision(tn, td, true);
    saturated += e.q.flag;
    TLongNum q, r;
    OverflowFlag = false;
    LongDivMod(tn, td, q, r);
    ASSERT_TRUE(Matches(q, e.q, "quotient, case " + std::to_string(i)));
    ASSERT_TRUE(SameRecord(r, e.r.value)) << i;
    OverflowFlag = false;
    LongGcd(tn, td, q);
    ASSERT_TRUE(Matches(q, ModelGcd(tn, td), "gcd, case " + std::to_string(i)));
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
    const TLongNum ta = longtest::FromValue(a);
    const TLongNum tb = longtest::FromValue(-b);
    TLongNum result = source.Operand();
    OverflowFlag = false;
    LongGcd(ta, tb, result);
    ASSERT_TRUE(Matches(result, ModelGcd(ta, tb), "case " + std::to_string(i)));
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
    TLongNum g;
    const TLongNum a = longtest::FromValue(c.a);
    const TLongNum b = longtest::FromValue(c.b);
    LongGcd(a, b, g);
    EXPECT_TRUE(Matches(g, ModelGcd(a, b), c.a.get_str(16)));
    LongGcd(b, a, g);
    EXPECT_TRUE(Matches(g, ModelGcd(a, b), c.b.get_str(16)));
  }
}

// Consecutive Fibonacci numbers: every Euclid quotient is 1, the slowest case for Lehmer.
TEST(LongAgainstGmp, GcdOfFibonacciNumbers) {
  for (int k : {10, 93, 94, 200, 1000, 20000, 47000}) {
    mpz_class f, g;
    mpz_fib2_ui(f.get_mpz_t(), g.get_mpz_t(), k);
    TLongNum result;
    OverflowFlag = false;
    LongGcd(longtest::FromValue(f), longtest::FromValue(g), result);
    EXPECT_TRUE(SameRecord(result, LongOne)) << k;
    EXPECT_FALSE(OverflowFlag);
  }
}

using ShiftOp = void (*)(TLongNum&, std::uint16_t);

TEST(LongAgainstGmp, Shifts) {
  struct Case {
    const char* name;
    ShiftOp op;
    int unit;  // bits per step of the count
    bool left;
  };
  const Case cases[] = {{"LongShiftLeft", LongShiftLeft, 1, true},
                        {"LongShiftRight", LongShiftRight, 1, false},
                        {"LongShiftLeftDigits", LongShiftLeftDigits, 8, true},
                        {"LongShiftRightDigits", LongShiftRightDigits, 8, false}};
  OperandSource source(13);
  for (const Case& c : cases) {
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
          count = source.Below(8 * MaxDigits / c.unit + 10);
          break;
      }
      TLongNum x = a;
      OverflowFlag = false;
      c.op(x, static_cast<std::uint16_t>(count));
      ASSERT_TRUE(Matches(
          x, ModelShift(a, count * c.unit, c.left),
          std::string(c.name) + " by " + std::to_string(count) + ", case " + std::to_string(i)));
    }
  }
}

TEST(LongAgainstGmp, ComparisonsAndSign) {
  OperandSource source(14);
  for (int i = 0; i < 5000; ++i) {
    const TLongNum a = source.Operand();
    const TLongNum b =
        i % 5 == 0 ? longtest::FromValue(Value(a) + source.Below(3) - 1) : source.Operand();
    const int abs = cmp(Magnitude(a), Magnitude(b));
    EXPECT_EQ(LongCompareAbs(a, b), (abs > 0) - (abs < 0)) << i;
    // Different Signs decide by themselves, so a zero with Sign -1 stands below LongZero.
    const int signed_ = a.Sign != b.Sign ? a.Sign : a.Sign * ((abs > 0) - (abs < 0));
    EXPECT_EQ(LongCompare(a, b), signed_) << i;
    EXPECT_EQ(LongSign(a), Magnitude(a) == 0 ? 0 : a.Sign) << i;
    EXPECT_EQ(LongIsZero(a), Magnitude(a) == 0) << i;
    TLongNum n = a;
    LongNegate(n);
    TLongNum expected = a;
    if (Magnitude(a) != 0) expected.Sign = static_cast<std::int8_t>(-a.Sign);
    EXPECT_TRUE(SameRecord(n, expected)) << i;
  }
}

TEST(LongAgainstGmp, IntConversions) {
  OperandSource source(15);
  for (int i = 0; i < 20000; ++i) {
    const std::int32_t v = static_cast<std::int32_t>(source.Engine()() >> (source.Below(32) + 32));
    const std::int32_t signedV = source.Below(2) ? v : static_cast<std::int32_t>(-std::int64_t{v});
    TLongNum r = source.Operand();
    LongFromInt(signedV, r);
    ASSERT_TRUE(SameRecord(r, longtest::FromValue(signedV))) << signedV;
    std::int32_t back = 12345;
    ASSERT_TRUE(LongToInt(r, back));
    ASSERT_EQ(back, signedV);
  }
  for (int i = 0; i < 3000; ++i) {
    const TLongNum a = source.Operand();
    const mpz_class v = Value(a);
    std::int32_t out = 777;
    const bool fits = v >= INT32_MIN && v <= INT32_MAX;
    EXPECT_EQ(LongToInt(a, out), fits) << longtest::Describe(a);
    EXPECT_EQ(out, fits ? static_cast<std::int32_t>(v.get_si()) : 0);
  }
}

}  // namespace

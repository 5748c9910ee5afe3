// Identities that hold the arithmetic to itself: what one operation builds, another takes apart
// again. They need no reference library, so they also run in the Windows build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>

#include "TavoLong.h"

namespace {

// Nothing here comes near the capacity, so nothing may saturate.
class LongIdentity : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_FALSE(OverflowFlag); }
  int Below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  std::uint64_t Word() { return rng_(); }

  // A value of len digits, its top digit at most maxTop. Whole words of zeros or of 255s come
  // often: there carries and borrows run far, and a division's estimates go wrong.
  TLongNum Random(int len, int sign = 1, int maxTop = 255) {
    TLongNum a;
    for (int i = 0, kind = 0; i < len; ++i) {
      if (i % 8 == 0) kind = Below(4);
      a.Digit[i] = static_cast<std::uint8_t>(kind == 0 ? 0 : kind == 1 ? 255 : rng_());
    }
    a.Digit[len - 1] = static_cast<std::uint8_t>(1 + Below(maxTop));
    a.Len = static_cast<std::uint16_t>(len);
    a.Sign = static_cast<std::int8_t>(sign);
    return a;
  }
  static TLongNum Small(std::uint64_t w) {
    TLongNum a;
    LongMulWord(LongOne, w, a);
    return a;
  }

 private:
  std::mt19937_64 rng_{0x7a40d1c1};
};

// got holds want's record: Len, Sign and every word, the padding's zeros included.
::testing::AssertionResult Same(const TLongNum& got, const TLongNum& want) {
  if (got.Len == want.Len && got.Sign == want.Sign && got.Overflowed == want.Overflowed &&
      std::equal(std::begin(got.Digit.Word), std::end(got.Digit.Word), want.Digit.Word))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "Len " << got.Len << " for " << want.Len;
}

// The decimal digits digits[0..count) as a word, or ~0 when one is not a digit.
std::uint64_t Read(const char* digits, int count) {
  std::uint64_t w = 0;
  for (int i = 0; i < count; ++i) {
    if (digits[i] < '0' || digits[i] > '9') return ~std::uint64_t{0};
    w = 10 * w + static_cast<std::uint64_t>(digits[i] - '0');
  }
  return w;
}

// For every length and both signs of each operand: (a + b) - b = a, a + -(a + c) = -c and
// a b = b a; n = a b + r with |r| < |b| and n's sign divides back to a and r, whole or by a word
// (a w + c as the pair of products by a word makes it);
// g = gcd(n, b) divides both and leaves cofactors with gcd 1; a left shift is a product by a
// power of two, and the right shift undoes it. a's top digit stays below 128, so that no dividend
// has the full width.
TEST_F(LongIdentity, EachOperationUndoesAnother) {
  for (int len = 2; len <= MaxDigits; ++len) {
    const int lb = 1 + Below(len - 1);
    SCOPED_TRACE(::testing::Message() << len << " digits, " << lb << " in b");
    TLongNum a = Random(len - lb, len & 1 ? -1 : 1, 127), b = Random(lb, len & 2 ? -1 : 1);
    TLongNum c = Small(Word() % 1000), s, t, r, n, q, m;
    LongAdd(a, b, s);
    LongAdd(b, a, t);
    ASSERT_TRUE(Same(t, s));
    LongSub(s, b, s);
    ASSERT_TRUE(Same(s, a));
    LongAdd(a, c, t);  // a long difference that cancels down to a short one
    LongNegate(t);
    LongAdd(a, t, s);
    LongNegate(c);
    ASSERT_TRUE(Same(s, c));
    if (len % 3 == 1) LongSubAbs(b, LongOne, r);  // the largest remainder, or a shorter one
    if (len % 3 == 2) r = lb == 1 ? Small(Word() % b.Digit[0]) : Random(1 + Below(lb - 1));
    if (len % 7 == 0 && !LongIsZero(r)) LongSubAbs(a, a, a);  // a zero quotient, with a's Sign
    // n = ±b leaves the zero remainder of equal magnitudes, LongZero.
    r.Sign = LongIsZero(r) && LongCompareAbs(a, LongOne) == 0 ? 1 : a.Sign * b.Sign;
    LongMul(a, b, n);
    LongMul(b, a, t);
    ASSERT_TRUE(Same(t, n));
    LongAdd(n, r, n);
    LongDiv(n, b, q);
    LongMod(n, b, m);
    ASSERT_TRUE(Same(q, a) && Same(m, r));
    q = n;
    m = b;
    LongDivMod(q, m, q, m);
    ASSERT_TRUE(Same(q, a) && Same(m, r));
    if (len % 8 == 0) {  // r = 0 every third time: then g = |b|
      LongGcd(n, b, q);
      LongMod(n, q, m);
      LongMod(b, q, t);
      ASSERT_TRUE(LongIsZero(m) && LongIsZero(t) && q.Sign == 1);
      LongDiv(n, q, m);
      LongDiv(b, q, t);
      LongGcd(m, t, m);
      ASSERT_TRUE(Same(m, LongOne));
    }
    if (LongIsZero(a)) continue;
    const std::uint64_t words[] = {Word() | 1, (Word() | 1) << (1 + Below(63)), ~std::uint64_t{0},
                                   1 + Word() % 1000, std::uint64_t{1} << Below(64)};
    const std::uint64_t w = words[len % 5], add = Word() % w;
    if (len <= MaxDigits - 8) {  // the pair's products are those of the single forms
      s = a;
      t = b;
      s.Sign = t.Sign = 1;
      LongMulWordPair(s, add, t, w);
      LongMulWord(b, w, q);
      q.Sign = 1;
      m = s;
      m.Sign = a.Sign;
      EXPECT_EQ(LongModWord(m, w), add);
      EXPECT_EQ(LongDivModWord(m, w, m), add);
      LongMulWord(a, w, n);
      LongDivExactWord(n, w, n);
      ASSERT_TRUE(Same(t, q) && Same(m, a) && Same(n, a));
    }
    const auto bits = static_cast<std::uint16_t>(Below(MaxBits - 8 * (len - lb) + 1));
    TLongNum power, low = Small(Word() & ((std::uint64_t{1} << (bits % 64)) - 1));
    power.Digit[bits / 8] = static_cast<std::uint8_t>(1u << (bits % 8));
    power.Len = static_cast<std::uint16_t>(bits / 8 + 1);
    LongMul(a, power, power);
    s = a;
    LongShiftLeftDigits(s, static_cast<std::uint16_t>(bits / 8));
    LongShiftLeft(s, static_cast<std::uint16_t>(bits % 8));
    ASSERT_TRUE(Same(s, power));
    low.Sign = a.Sign;
    LongAdd(s, low, s);
    LongShiftRight(s, bits);
    ASSERT_TRUE(Same(s, a));
  }
}

// From root = isqrt(n) and rem = n - root^2, the longhand root's digits, by steps and by blocks,
// keep root^2 + rem = n 100^k and 0 <= rem <= 2 root, that is root = isqrt(n 100^k); the digits
// written are the root's last ones.
TEST_F(LongIdentity, SquareRootKeepsRootAndRemainder) {
  for (int trial = 0; trial < 16; ++trial) {
    const auto n = static_cast<std::uint64_t>(2 + Below(65534));
    std::uint64_t s = 1;
    while ((s + 1) * (s + 1) <= n)
      ++s;
    TLongNum root = Small(s), rem = Small(n - s * s), target = Small(n), square, twice;
    for (int k = 0, call = 0; k < 500; ++call) {
      SCOPED_TRACE(::testing::Message() << "the root of " << n << " after " << k << " digits");
      char digits[LongSqrtBlockDigits];
      int taken = 1;
      if (call % 5 == 0) {
        digits[0] = static_cast<char>('0' + LongSqrtStep(root, rem));
      } else {
        taken = LongSqrtDigits(root, rem, 1 + Below(25), digits);
      }
      ASSERT_GE(taken, 1);
      k += taken;
      ForWordPowers(100, taken, [&](std::uint64_t w) { LongMulWord(target, w, target); });
      EXPECT_EQ(LongModWord(root, PowerOfTen(taken)), Read(digits, taken));
      LongMul(root, root, square);
      LongAdd(square, rem, square);
      LongAdd(root, root, twice);
      ASSERT_TRUE(Same(square, target) && LongSign(rem) >= 0 && LongCompare(rem, twice) <= 0);
    }
  }
}

// The digits of num / den, read back a decimal word at a time as D, and the remainder make up
// num 10^m = D den + rem with 0 <= rem < den. Over den = 10^m, a num below it comes back as its
// own m digits, zero-padded, with nothing left over.
TEST_F(LongIdentity, DecimalExpansionGivesBackTheNumerator) {
  std::string digits;
  for (int m = 1; m < MaxDecimalDigits; m += 1 + Below(1 + m / 8)) {
    SCOPED_TRACE(::testing::Message() << m << " digits");
    const auto expand = [&](const TLongNum& num, const TLongNum& den, TLongNum& rem) {
      digits.assign(m + 1, '#');
      LongExpandDecimal(num, den, m, digits.data(), rem);
      EXPECT_EQ(digits[m], '#');
      TLongNum value;
      for (int i = 0, chunk = (m - 1) % DecimalWordDigits + 1; i < m;
           i += chunk, chunk = DecimalWordDigits)
        LongMulAddWord(value, PowerOfTen(chunk), Read(&digits[i], chunk), value);
      return value;
    };
    TLongNum power = LongOne, a, rem, left, right;
    ForWordPowers(10, m, [&](std::uint64_t w) { LongMulWord(power, w, power); });
    const int len = m * 41524 / 100000;  // every value of len digits is below 10^m
    if (m % 3 == 0) {
      LongSub(power, LongOne, a);
    } else {
      a = len == 0 ? Small(Word() % PowerOfTen(m)) : Random(1 + Below(len));
    }
    ASSERT_TRUE(Same(expand(a, power, rem), a) && Same(rem, LongZero));
    if (a.Len + power.Len > MaxDigits) continue;
    const TLongNum den = Random(a.Len + 1 + Below(power.Len));
    LongMul(a, power, left);
    LongMul(expand(a, den, rem), den, right);
    LongAdd(right, rem, right);
    ASSERT_TRUE(Same(right, left) && LongSign(rem) >= 0 && LongCompare(rem, den) < 0);
  }
}

}  // namespace

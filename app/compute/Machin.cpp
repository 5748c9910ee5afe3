// Machin's formula. The digit texts come from π - 3, computed once, and each pass's tail. The
// exact sum takes a pass at a time. The term of pass k is t = (term5 + term239) / k with
// term5 = 16 (-1)^j / 5^k and term239 = -4 (-1)^j / 239^k, j = (k - 1) / 2, so
// t = (-1)^j (16 * 239^k - 4 * 5^k) / (5^k 239^k k). Every prime of a denominator is 5, 239 or
// a prime of some k: the sum's denominator is kept factored, as 5^e5 239^e239 times a rest,
// and the fraction operations add each term over it without a gcd or a division of the long
// denominators.
#include "Machin.h"

#include <cstdint>
#include <numeric>
#include <string>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "SeriesValue.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"
#include "TextDecider.h"

namespace {

// Whether the term of pass k is subtracted: (-1)^j with j = (k - 1) / 2.
constexpr bool NegativeTerm(std::int32_t k) {
  return k % 4 == 3;
}

// k stripped of the factors 5 and 239, with how many of each it held.
struct WithoutFiveAnd239 {
  std::int32_t rest, fives = 0, twoThirtyNines = 0;

  explicit WithoutFiveAnd239(std::int32_t k) : rest(k) {
    for (; rest % 5 == 0; rest /= 5)
      ++fives;
    for (; rest % 239 == 0; rest /= 239)
      ++twoThirtyNines;
  }
};

// c arctan(1/x) by Euler's series, arctan(1/x) = x / (x^2 + 1) sum over n of
// prod_(i <= n) 2i / ((2i + 1)(x^2 + 1)) (Euler, Institutiones calculi differentialis, 1755;
// in this form in Arndt and Haenel, "Pi Unleashed", 2001): all its terms are positive, and
// each follows from the one before by a ratio of small integers.
SeriesValue ArctanOfInverse(int words, std::uint64_t c, std::uint64_t x) {
  const std::uint64_t g = x * x + 1;
  return HornerValue(words, c * x, g, [g](std::int32_t n) {
    const auto twice = 2 * static_cast<std::uint64_t>(n);
    return SeriesStep{twice, g * (twice + 1), g};
  });
}

// π - 3 = 16 arctan(1/5) - 4 arctan(1/239) - 3.
SeriesValue PiMinusThree(std::int32_t textDigits) {
  const int words = DecimalFixed::WordsToDecide(textDigits);
  SeriesValue pi = ArctanOfInverse(words, 16, 5);
  const SeriesValue second = ArctanOfInverse(words, 4, 239);
  pi.value.Subtract(second.value);
  pi.value.Subtract(DecimalFixed(words, 3, 1));
  pi.error += second.error;
  return pi;
}

constexpr std::uint64_t RatioUnit = DecimalBounds::RatioUnit;

}  // namespace

// The share starts as (5/239) / 4 and goes to (5/239)^3 / 4.
MachinSum::MachinSum(std::int32_t textDigits)
    : nextPower5_{128, 128, -3},
      shareLow_(5 * RatioUnit / 956 * 25 / 57121),
      shareHigh_(((5 * RatioUnit + 955) / 956 * 25 + 57120) / 57121),
      decider_(PiMinusThree(textDigits), MachinFirstDen) {
  exact_.Value = BunsuuMake(MachinFirstNum, MachinFirstDen);
  exact_.Primes = {5, 239};
  exact_.Exponents = {1, 1};
  LongFromInt(5, power5_);
  LongFromInt(239, power239_);
}

void MachinSum::NextPass() {
  k_ += 2;
  nextPower5_.Divide(25);
  shareLow_ = shareLow_ * 25 / 57121;
  shareHigh_ = (shareHigh_ * 25 + 57120) / 57121;
  decider_.GrowDenominatorBound(MachinDenominatorFactor(k_));
}

// With m = k + 2, the tail is the sum over l of (-1)^l a_(m + 2l), a_i = 16 / (i 5^i) -
// 4 / (i 239^i), of the sign of its first term: the terms fall in size, so the tail lies
// between 0 and its first term (Leibniz). Over the lead 16 / (m 5^m) its terms are
// m / (m + 2l) (25^-l - s 57121^-l) with s = (5/239)^m / 4, so the tail is the lead times
// r5 - s r239, where r5 and r239 are the sums over l of (-1)^l m / (m + 2l) 25^-l and
// 57121^-l: alternating sums of falling terms too, r239 within [0, 1], so the ratio lies within
// [r5 - s, r5]. r5's terms are p_l m / (m + 2l) = p_l - p_l 2l / (m + 2l) for p_l = 25^-l, in
// RatioUnits and rounded outward; the rest after the last term summed lies between 0 and the
// next one.
TailBounds MachinSum::Tail(std::int32_t count) const {
  const auto m = static_cast<std::uint64_t>(k_) + 2;
  TailBounds tail{nextPower5_, NegativeTerm(k_ + 2)};
  tail.magnitude.Divide(m);
  const std::uint64_t negligible = TextDecider::NegligibleRatio(tail.magnitude, count);
  std::uint64_t powerLow = RatioUnit, powerHigh = RatioUnit, low = 0, high = 0, l = 0;
  for (; powerHigh > negligible; ++l) {
    const std::uint64_t termLow = powerLow - (powerLow * 2 * l + m + 2 * l - 1) / (m + 2 * l);
    const std::uint64_t termHigh = powerHigh - powerHigh * 2 * l / (m + 2 * l);
    if (l % 2 == 0) {
      low += termLow;
      high += termHigh;
    } else {
      low -= termHigh;
      high -= termLow;
    }
    powerLow /= 25;
    powerHigh = (powerHigh + 24) / 25;
  }
  if (l % 2 == 0) {
    high += powerHigh;
  } else {
    low -= powerHigh;
  }
  low = low > shareHigh_ ? low - shareHigh_ : 0;
  tail.magnitude.Scale(low, high);
  return tail;
}

const TBunsuu& MachinSum::CatchUpExactSum() {
  while (exactK_ < k_)
    AddExactTerm();
  return exact_.Value;
}

// The term of pass k in lowest terms. With A = 16 * 239^k - 4 * 5^k, c = gcd(A, k), u = A / c
// and k' = k / c, it is (-1)^j u / (5^k 239^k k'), and u is prime to every factor of that
// denominator:
//   - 5 does not divide A: 16 = 1 and 239 = 4 (mod 5), so A = 4^k (mod 5), which is not 0;
//   - 239 does not divide A: A = -4 * 5^k (mod 239), and the prime 239 divides neither 4 nor 5;
//   - so neither divides u, a divisor of A;
//   - gcd(u, k') = 1: a common divisor d of A / c and k / c makes d c a common divisor of A and
//     k, so d c divides c and d = 1.
// The sum is in lowest terms after every pass, and so is the term: Henrici's reduction, which
// the factored sum uses, needs both. The denominator is 5^(k + a) 239^(k + b) times the rest of
// k', where 5^a 239^b is what k' holds of the two primes.
void MachinSum::AddExactTerm() {
  exactK_ += 2;
  LongMulWord(power5_, 25, power5_);
  LongMulWord(power239_, 57121, power239_);
  TLongNum u, scaled;
  LongMulWord(power239_, 16, u);
  LongMulWord(power5_, 4, scaled);
  LongSub(u, scaled, u);
  const auto k = static_cast<std::uint64_t>(exactK_);
  const auto c = static_cast<std::int32_t>(std::gcd(LongModWord(u, k), k));
  LongDivExactWord(u, static_cast<std::uint64_t>(c), u);
  if (NegativeTerm(exactK_)) LongNegate(u);
  const WithoutFiveAnd239 kParts(exactK_ / c);
  const std::int32_t exponents[] = {exactK_ + kParts.fives, exactK_ + kParts.twoThirtyNines};
  BunsuuAddFactored(exact_, u, exponents, kParts.rest);
}

const std::string& MachinSum::Digits(std::int32_t count) {
  return decider_.Digits(count, Tail(count),
                         [this]() -> const TBunsuu& { return CatchUpExactSum(); });
}

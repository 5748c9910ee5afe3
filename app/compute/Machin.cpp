// Machin's formula. The term of pass j is t = (term5 + term239) / k with term5 = 16 (-1)^j / 5^k
// and term239 = -4 (-1)^j / 239^k, k = MachinOdd(j), so
// t = (-1)^j (16 * 239^k - 4 * 5^k) / (5^k 239^k k). Every prime of a denominator is 5, 239 or
// a prime of some k.
#include "Machin.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <numeric>
#include <vector>

#include "Capacity.h"
#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "ExpansionDecider.h"
#include "SeriesValue.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

// Whether the terms of 1/x^d, d = 2i + 1, are subtracted: (-1)^i, as in pass i.
constexpr bool Subtracted(std::int32_t d) {
  return d % 4 == 3;
}

constexpr std::uint64_t RatioUnit = DecimalBounds::RatioUnit;

// A_5 and A_239, A_x = sum over i <= (k - 1) / 2 of (-1)^i (lcm / (2i + 1)) x^(k - 2i - 1), lcm
// that of the odd numbers up to k. By Horner's rule in x^2, three terms at a time: those of d,
// d + 2 and d + 4 (d = 2i + 1) are (-1)^i (lcm / s) r_x, s the least common multiple of the three
// and r_x = (s / d) x^4 - (s / (d + 2)) x^2 + s / (d + 4), so that one division of lcm serves
// both series. For k below 2^16, s < k^3 and r_x < k^2 239^4 fit a word.
void ArctanNumerators(const TLongNum& lcm, std::int32_t k, TLongNum (&sums)[2]) {
  assert(k < 65536);
  const std::uint64_t squares[] = {MachinSquareOf5, MachinSquareOf239};
  TLongNum share, group;
  for (std::int32_t d = 1; d <= k; d += 6) {
    const std::int32_t last = std::min(d + 4, k);
    std::uint64_t s = 1;
    for (std::int32_t odd = d; odd <= last; odd += 2)
      s = std::lcm(s, static_cast<std::uint64_t>(odd));
    LongDivExactWord(lcm, s, share);
    for (int x = 0; x < 2; ++x) {
      std::uint64_t r = 0, power = 1;
      for (std::int32_t odd = d; odd <= last; odd += 2) {
        const std::uint64_t quotient = s / static_cast<std::uint64_t>(odd);
        r = (odd - d) % 4 == 0 ? r * squares[x] + quotient : r * squares[x] - quotient;
        power *= squares[x];
      }
      LongMulWord(share, r, group);
      LongMulWord(sums[x], power, sums[x]);
      (Subtracted(d) ? LongSub : LongAdd)(sums[x], group, sums[x]);
    }
  }
}

}  // namespace

// By Euler's series, arctan(1/x) = x / (x^2 + 1) sum over n of
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

SeriesValue MachinSeries::Value(int words) {
  SeriesValue pi = ArctanOfInverse(words, 16, 5);
  const SeriesValue second = ArctanOfInverse(words, 4, 239);
  pi.value.Subtract(second.value);
  pi.value.Subtract(DecimalFixed(words, 3, 1));
  pi.error += second.error;
  return pi;
}

MachinExactSum::MachinExactSum() {
  sum_.Value = BunsuuMake(MachinFirstNum, MachinFirstDen);
  sum_.Factors = {{5, 1}, {239, 1}};
  LongFromInt(5, power5_);
  LongFromInt(239, power239_);
}

const TBunsuu& MachinExactSum::At(std::int32_t pass) {
  assert(pass >= pass_ && pass <= MachinSaturatingPass);
  if (pass - 1 > pass_) Evaluate(pass - 1);
  while (pass_ < pass)
    AddPass();
  return sum_.Value;
}

// The term of pass j in lowest terms, k = MachinOdd(j). With A = 16 * 239^k - 4 * 5^k, c = gcd(A,
// k), u = A / c and k' = k / c, it is (-1)^j u / (5^k 239^k k'), and u is prime to every factor of
// that denominator:
//   - 5 does not divide A: 16 = 1 and 239 = 4 (mod 5), so A = 4^k (mod 5), which is not 0;
//   - 239 does not divide A: A = -4 * 5^k (mod 239), and the prime 239 divides neither 4 nor 5;
//   - so neither divides u, a divisor of A;
//   - gcd(u, k') = 1: a common divisor d of A / c and k / c makes d c a common divisor of A and
//     k, so d c divides c and d = 1.
// The sum is in lowest terms after every pass, and so is the term: Henrici's reduction, which
// the factored sum uses, needs both. The denominator is 5^(k + a) 239^(k + b) times the rest of
// k', where 5^a 239^b is what k' holds of the two primes.
void MachinExactSum::AddPass() {
  const std::int32_t k = MachinOdd(++pass_);
  LongMulWord(power5_, MachinSquareOf5, power5_);
  LongMulWord(power239_, MachinSquareOf239, power239_);
  TLongNum u, scaled;
  LongMulWord(power239_, 16, u);
  LongMulWord(power5_, 4, scaled);
  LongSub(u, scaled, u);
  const auto c = static_cast<std::int32_t>(
      std::gcd(LongModWord(u, static_cast<std::uint64_t>(k)), static_cast<std::uint64_t>(k)));
  LongDivExactWord(u, static_cast<std::uint64_t>(c), u);
  if (Subtracted(k)) LongNegate(u);
  std::int32_t rest = k / c;
  TPrimePower den[] = {{5, k}, {239, k}};
  for (; rest % 5 == 0; rest /= 5)
    ++den[0].Exponent;
  for (; rest % 239 == 0; rest /= 239)
    ++den[1].Exponent;
  BunsuuAddFactored(sum_, u, den, rest);
}

// The sum after pass j, k = MachinOdd(j), as one fraction N / D over the terms' common denominator
// D = L 5^k 239^k, L the least common multiple of the odd numbers up to k: since
// 16 / ((2i + 1) 5^(2i + 1)) = 16 239^k (L / (2i + 1)) 5^(k - 2i - 1) / D, and the same for 239,
// N = 239^k (16 A_5 - 3 L 5^k) - 4 5^k A_239 (A_x as ArctanNumerators gives them). Each number
// is below 4 D, which the bound on the denominator keeps within the capacity up to the pass
// before the saturating one. The pass-by-pass sum is in lowest terms with a positive
// denominator after every pass, and a fraction has one such form: N / D without the common
// factor of N and D, whose primes are among D's, each at most as often as D holds it;
// BunsuuReduceFactored takes out each that divides N, and keeps the one denominator factored
// as 5^a 239^b times a rest, as the pass-by-pass sum does. A prime p of L above k / 3, other
// than 5 and 239, divides only the denominator of the term of 2i + 1 = p, and once, so
// N = +-(L / p) 4 5^(k - p) 239^(k - p) (4 239^p - 5^p) (mod p); and p divides
// 4 239^p - 5^p = 4 * 239 - 5 = 951 = 3 * 317 (mod p, by Fermat's little theorem) only where it
// is 3 or 317. The other primes of L need not be tried.
void MachinExactSum::Evaluate(std::int32_t pass) {
  const std::int32_t k = MachinOdd(pass);
  // The primes that may divide N, each with its exponent in D, 5 and 239 first as the sum keeps
  // them; L's rest without 5 and 239, and L.
  std::vector<TPrimePower> primes{{5, k}, {239, k}};
  TLongNum rest = LongOne, lcm;
  std::uint64_t powersOf5And239 = 1;
  for (std::int32_t p = 3; p <= k; p += 2) {
    if (!IsOddPrime(p)) continue;
    std::int32_t power = p, e = 1;
    for (; power <= k / p; power *= p)
      ++e;
    if (p == 5 || p == 239) {
      primes[p == 5 ? 0 : 1].Exponent += e;
      powersOf5And239 *= static_cast<std::uint64_t>(power);
      continue;
    }
    LongMulWord(rest, static_cast<std::uint64_t>(power), rest);
    if (3 * p <= k || (4 * 239 - 5) % p == 0) primes.push_back({p, e});
  }
  LongMulWord(rest, powersOf5And239, lcm);
  TLongNum sums[2], part;
  ArctanNumerators(lcm, k, sums);
  power5_ = power239_ = LongOne;
  ForWordPowers(5, k, [this](std::uint64_t w) { LongMulWord(power5_, w, power5_); });
  ForWordPowers(239, k, [this](std::uint64_t w) { LongMulWord(power239_, w, power239_); });
  TFactoredBunsuu whole;
  TBunsuu& sum = whole.Value;
  LongMul(lcm, power5_, part);
  LongMul(part, power239_, sum.Den);
  LongMulWord(part, 3, part);
  LongMulWord(sums[0], 16, sums[0]);
  LongSub(sums[0], part, part);
  LongMul(power239_, part, sum.Num);
  LongMul(power5_, sums[1], part);
  LongMulWord(part, 4, part);
  LongSub(sum.Num, part, sum.Num);
  whole.Factors = {primes[0], primes[1]};
  whole.Rest = rest;
  BunsuuReduceFactored(whole, primes, sum_);
  pass_ = pass;
}

// Before the first pass, the next terms are those of m = MachinOdd(1).
MachinSeries::MachinSeries() : lead5_{16, 16}, share239_(DivideRoundingUp(RatioUnit, 4)) {
  for (std::int32_t i = 0; i < MachinOdd(1); ++i) {
    lead5_.Divide(5);
    share239_ = DivideRoundingUp(share239_ * 5, 239);
  }
}

void MachinSeries::NextPass() {
  ++pass_;
  lead5_.Divide(MachinSquareOf5);
  share239_ = DivideRoundingUp(share239_ * MachinSquareOf5, MachinSquareOf239);
}

// With m the k of the next pass, the tail is the sum over l of (-1)^l a_(m + 2l), a_i = 16 / (i
// 5^i) - 4 / (i 239^i), of the sign of its first term: the terms fall in size, so the tail lies
// between 0 and its first term (Leibniz). Over the lead 16 / (m 5^m) its terms are
// m / (m + 2l) (25^-l - s 57121^-l) with s = (5/239)^m / 4, so the tail is the lead times
// r5 - s r239, where r5 and r239 are the sums over l of (-1)^l m / (m + 2l) 25^-l and
// 57121^-l: alternating sums of falling terms too, r239 within [0, 1], so the ratio lies within
// [r5 - s, r5]. r5's terms are p_l m / (m + 2l) = p_l - p_l 2l / (m + 2l) for p_l = 25^-l, in
// RatioUnits and rounded outward; the rest after the last term summed lies between 0 and the
// next one.
TailBounds MachinSeries::Tail(std::int32_t count) const {
  const auto m = static_cast<std::uint64_t>(MachinOdd(pass_ + 1));
  TailBounds tail{lead5_, Subtracted(MachinOdd(pass_ + 1))};
  tail.magnitude.Divide(m);
  const std::uint64_t negligible = ExpansionDecider::NegligibleRatio(tail.magnitude, count);
  std::uint64_t powerLow = RatioUnit, powerHigh = RatioUnit, low = 0, high = 0, l = 0;
  for (; powerHigh > negligible; ++l) {
    const std::uint64_t termLow = powerLow - DivideRoundingUp(powerLow * 2 * l, m + 2 * l);
    const std::uint64_t termHigh = powerHigh - powerHigh * 2 * l / (m + 2 * l);
    if (l % 2 == 0) {
      low += termLow;
      high += termHigh;
    } else {
      low -= termHigh;
      high -= termLow;
    }
    powerLow /= MachinSquareOf5;
    powerHigh = DivideRoundingUp(powerHigh, MachinSquareOf5);
  }
  if (l % 2 == 0) {
    high += powerHigh;
  } else {
    low -= powerHigh;
  }
  low = low > share239_ ? low - share239_ : 0;
  tail.magnitude.Scale(low, high);
  return tail;
}

// π's partial sums by Machin's formula, 16 arctan(1/5) - 4 arctan(1/239) - 3: pass j (j = 1,
// 2, ...) takes the next term of each series, those of 1/5^k and 1/239^k for the odd k = 2j + 1.
// The texts of the sums come from π - 3 less each sum's tail; the exact sum, which owns their
// saturation, only where that does not decide them.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "ExpansionDecider.h"
#include "SeriesValue.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

// 16/5 - 4/239 - 3 = 219/1195, in lowest terms: the sum before the first pass.
inline constexpr std::uint32_t MachinFirstNum = 219;
inline constexpr std::uint32_t MachinFirstDen = 1195;
// 5^2 and 239^2: each pass divides a series' term by these.
inline constexpr std::uint64_t MachinSquareOf5 = 25, MachinSquareOf239 = 57121;

// The prime p where the odd k >= 3 is a power of p, else 1: the least common multiple of the
// odd numbers up to k is that up to k - 2 times this.
constexpr std::int32_t OddLcmGrowth(std::int32_t k) {
  std::int32_t p = 3;
  while (p <= k / p && k % p != 0)
    p += 2;
  if (k % p != 0) p = k;
  std::int32_t rest = k;
  while (rest % p == 0)
    rest /= p;
  return rest == 1 ? p : 1;
}

// What the pass of k adds to the bound on the common denominator: every denominator of that
// pass divides 5^k 239^k times the least common multiple of the odd numbers up to k.
constexpr std::uint64_t MachinDenominatorFactor(std::int32_t k) {
  return MachinSquareOf5 * MachinSquareOf239 * static_cast<std::uint64_t>(OddLcmGrowth(k));
}

// c arctan(1/x) to words words after the point, for 3 <= x < 2^15 and c arctan(1/x) < 4.
SeriesValue ArctanOfInverse(int words, std::uint64_t c, std::uint64_t x);
// π - 3 to words words after the point.
SeriesValue PiMinusThree(int words);

// The exact partial sum in lowest terms, as the fraction operations sum it pass by pass, its
// denominator kept factored as 5^a 239^b times a rest.
class MachinExactSum {
 public:
  MachinExactSum();
  // The sum after the pass of k, for a k not below the last one asked for and at most the
  // saturating pass's: that after the pass before, evaluated as a whole if not at hand, plus
  // the term of k by the fraction operations, which saturate it where it outgrows the capacity.
  const TBunsuu& At(std::int32_t k);

 private:
  void Evaluate(std::int32_t k);  // the sum after the pass of k, as a whole
  void AddTerm();                 // adds the term of the next pass

  std::int32_t k_ = 1;
  TFactoredBunsuu sum_;
  TLongNum power5_, power239_;  // 5^k_ and 239^k_
};

class MachinSum {
 public:
  // π - 3 to the width that texts of up to textDigits digits need.
  explicit MachinSum(std::int32_t textDigits);
  void NextPass();
  // Bounds on the terms after the passes taken, tight enough for a text of count digits.
  TailBounds Tail(std::int32_t count) const;
  // The first count digits after the point of the partial sum, as ExpansionDecider::Expansion gives
  // them. The text stays until the next call.
  const std::string& Text(std::int32_t count);

 private:
  std::int32_t k_ = 1;
  // 16 / 5^m for m = k + 2, the lead of the 5-series' terms after the pass, and above
  // (5/239)^m / 4 in RatioUnits: the share of it that the 239-series' terms take off.
  DecimalBounds lead5_;
  std::uint64_t share239_;
  ExpansionDecider decider_;
  MachinExactSum exact_;
};

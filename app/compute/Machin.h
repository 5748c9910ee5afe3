// π's partial sums by Machin's formula: the decider of their digit texts, and the exact
// fraction, summed by the fraction operations over its factored denominator.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"
#include "TextDecider.h"

// 16/5 - 4/239 - 3 = 219/1195, in lowest terms: the sum before the first pass.
inline constexpr std::uint32_t MachinFirstNum = 219;
inline constexpr std::uint32_t MachinFirstDen = 1195;

// What pass k (odd, k >= 3) adds to the bound on the common denominator: every denominator of
// pass k divides 5^k 239^k times the least common multiple of the odd numbers up to k, which
// grows each pass by 5^2 239^2, and by p where k is a power of the prime p.
constexpr std::uint64_t MachinDenominatorFactor(std::int32_t k) {
  std::int32_t p = 3;
  while (p <= k / p && k % p != 0)
    p += 2;
  if (k % p != 0) p = k;
  std::int32_t rest = k;
  while (rest % p == 0)
    rest /= p;
  const std::uint64_t squaresOf5And239 = 25 * 57121;
  return rest == 1 ? squaresOf5And239 * static_cast<std::uint64_t>(p) : squaresOf5And239;
}

// 16 arctan(1/5) - 4 arctan(1/239) - 3, one term of each series per pass. The decider gives
// the digit texts from π - 3 and each sum's tail; the exact fraction in lowest terms, summed as
// the fraction operations sum it, is caught up only where a text needs it.
class MachinSum {
 public:
  // π - 3 to the width that texts of up to textDigits digits need.
  explicit MachinSum(std::int32_t textDigits);
  // Takes the next term of each series; pass k takes those of 1/5^k and 1/239^k (k = 3, 5, 7,
  // ...). The first sum, before any pass, is 219/1195.
  void NextPass();
  // Catches the exact sum up with the passes taken, adding the term of each pass it has not
  // (up to every pass in one call), and gives it in lowest terms as the fraction operations
  // give it: from the pass whose denominator outgrows the capacity on, saturated, with
  // OverflowFlag set.
  const TBunsuu& CatchUpExactSum();
  // The first count digits after the point of the partial sum, as TextDecider::Digits gives
  // them. The text stays until the next call.
  const std::string& Digits(std::int32_t count);
  const TextDecider& Decider() const { return decider_; }

 private:
  // The terms after pass k, for a text of count digits.
  TailBounds Tail(std::int32_t count) const;
  // Adds the term of the next pass to the exact sum.
  void AddExactTerm();

  std::int32_t k_ = 1;
  // 16 / 5^m for m = k + 2, and (5/239)^m / 4 in RatioUnits within [shareLow_, shareHigh_]:
  // the 5-series' part of the first term of the tail, and the share of it that the 239-series
  // takes off.
  DecimalBounds nextPower5_;
  std::uint64_t shareLow_, shareHigh_;
  TextDecider decider_;
  // The exact sum as of pass exactK_, its denominator kept as 5^e5 239^e239 times a rest, and
  // 5^exactK_ and 239^exactK_.
  std::int32_t exactK_ = 1;
  TFactoredBunsuu exact_;
  TLongNum power5_, power239_;
};

// π's partial sums by Machin's formula: the exact fraction, summed by the fraction operations
// over its factored denominator, and beside it the decider of the digit texts.
#pragma once

#include <cstdint>
#include <string>

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
// the digit texts; the exact fraction in lowest terms, summed as the fraction operations sum
// it, owns the value and its saturation, and is caught up only where a text needs it.
class MachinSum {
 public:
  // The decider's copy holds copyDigits digits after the point, and at least one word more.
  explicit MachinSum(std::int32_t copyDigits);
  // Adds the next term of each series to the copy; pass k adds the terms of 1/5^k and 1/239^k
  // (k = 3, 5, 7, ...). The first sum, before any pass, is 219/1195.
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
  // Adds the term of the next pass to the exact sum.
  void AddExactTerm();

  std::int32_t k_ = 1;
  // The decider, with the copies of 16 / 5^k and 4 / 239^k, and that of the pass's term.
  TextDecider decider_;
  DecimalFixed copy5_, copy239_, term_;
  // The exact sum as of pass exactK_, its denominator kept as 5^e5 239^e239 times a rest, and
  // 5^exactK_ and 239^exactK_.
  std::int32_t exactK_ = 1;
  TFactoredBunsuu exact_;
  TLongNum power5_, power239_;
};

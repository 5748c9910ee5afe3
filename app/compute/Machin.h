// π's partial sums by Machin's formula: the exact fraction, summed by the fraction operations
// over its factored denominator, and beside it a decimal copy from which the digit texts are
// read.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalFixed.h"
#include "SeriesCopy.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

// The places of π that the capacity holds: the sum of pass 1428 is the first whose common
// denominator outgrows it.
inline constexpr std::int32_t MachinPlacesWithinCapacity = 1996;

// 16 arctan(1/5) - 4 arctan(1/239) - 3, one term of each series per pass. The digit texts come
// from a decimal copy of the sum; the exact fraction in lowest terms, summed as the fraction
// operations sum it, saturations included, is brought up to date only where a text or the
// capacity needs it.
class MachinSum {
 public:
  // The decimal copy holds copyDigits digits after the point, and at least one word more.
  explicit MachinSum(std::int32_t copyDigits);
  // Adds the next term of each series to the copy; pass k adds the terms of 1/5^k and 1/239^k
  // (k = 3, 5, 7, ...). The first sum, before any pass, is 219/1195.
  void NextPass();
  // The exact partial sum, in lowest terms, as the fraction operations give it.
  const TBunsuu& ExactSum();
  // The first count digits after the point of the partial sum, as FractionDigits gives them:
  // read from the decimal copy where it decides them, otherwise by the exact expansion. The
  // text stays until the next call.
  const std::string& Digits(std::int32_t count);
  // Digits from the decimal copy alone; false where it cannot decide them, or where the sum
  // may be too wide for its exact expansion to be plain long division.
  bool DigitsFromCopy(std::int32_t count, std::string& text);

 private:
  // Adds the term of the next pass to the exact sum.
  void AddExactTerm();

  std::int32_t k_ = 1;
  // The copy of the sum, those of 16 / 5^k and 4 / 239^k, and that of the pass's term.
  SeriesCopy copy_;
  DecimalFixed copy5_, copy239_, term_;
  // The exact sum as of pass exactK_, its denominator kept as 5^e5 239^e239 times a rest, and
  // 5^exactK_ and 239^exactK_.
  std::int32_t exactK_ = 1;
  TFactoredBunsuu exact_;
  TLongNum power5_, power239_;
};

// π's partial sums by Machin's formula: the exact fraction, summed by the fraction operations
// over its factored denominator, and beside it a decimal copy from which the digit texts are
// read.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalFixed.h"
#include "TavoLongBunsuu.h"

// 16 arctan(1/5) - 4 arctan(1/239) - 3, summed one term of each series per pass as one exact
// fraction in lowest terms, exactly as the fraction operations sum it, saturations included.
class MachinSum {
 public:
  // The decimal copy holds copyDigits digits after the point, and at least one word more.
  explicit MachinSum(std::int32_t copyDigits = 0);
  // Adds the next term of each series and returns the partial sum; its pass k adds the terms
  // of 1/5^k and 1/239^k (k = 3, 5, 7, ...). The first sum, before any pass, is 219/1195.
  const TBunsuu& NextPass();
  // The first count digits after the point of the partial sum, as FractionDigits gives them:
  // read from the decimal copy where it decides them, otherwise by the exact expansion.
  std::string Digits(std::int32_t count) const;
  // Digits from the decimal copy alone; false where it cannot decide them.
  bool DigitsFromCopy(std::int32_t count, std::string& text) const;

 private:
  // Adds the pass's term to the exact sum.
  void AddExactTerm();
  // Adds the pass's term to the decimal copy.
  void AddCopyTerm();

  std::int32_t k_ = 1;
  bool negative_ = false;       // the sign of the pass's term
  TLongNum power5_, power239_;  // 5^k and 239^k
  // The exact sum, its denominator kept as 5^e5 239^e239 times a rest.
  TFactoredBunsuu sum_;
  // The decimal copy: 16 / 5^k, 4 / 239^k and the sum, within copyError_ units of the last
  // word of the sum.
  DecimalFixed copy5_, copy239_, copySum_;
  std::uint64_t copyError_ = 1;
};

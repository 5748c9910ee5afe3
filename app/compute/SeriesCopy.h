// The decimal copy of a series' partial sum, from which the sum's digit texts are read.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalFixed.h"
#include "FractionDigits.h"

// A partial sum in decimal fixed point, within a known number of units of its last word of the
// exact sum, beside a bound from above on the bits of a common denominator of the sum's terms.
// While that bound is below MaxExpansionBits, the exact sum is plain: its expansion is long
// division within the capacity, and the copy gives its digits wherever the error allows.
class SeriesCopy {
 public:
  // The copy of num / den (within one unit), to digits digits after the point and a word more;
  // den is the first common denominator.
  SeriesCopy(std::int32_t digits, std::uint32_t num, std::uint32_t den);
  // The words after the point that the terms' copies must have.
  int Words() const { return words_; }
  // sum := sum + term, or sum - term (term at most the sum), for the copy of a term that lies
  // within termError units of the true term.
  void Add(const DecimalFixed& term, std::uint64_t termError);
  void Subtract(const DecimalFixed& term, std::uint64_t termError);
  // The common denominator of the terms grows by factor, below 2^32.
  void GrowDenominator(std::uint64_t factor);
  // The first count digits after the point of the exact sum, as FractionDigits gives them:
  // the copy's where it decides them, else those of the exact sum that exactSum() brings up
  // to date. The text stays until the next call.
  template <class ExactSum>
  const std::string& Digits(std::int32_t count, ExactSum exactSum) {
    if (Decides(count)) return CopyDigits(count);
    exactText_ = FractionDigits(exactSum(), count);
    return exactText_;
  }
  // The copy's digits alone; false where it cannot decide them, or where the exact sum may be
  // too wide for its expansion to be plain long division.
  bool DigitsFromCopy(std::int32_t count, std::string& text);

 private:
  // Whether the first count digits after the point of the exact sum are those of the copy.
  bool Decides(std::int32_t count) const;
  // Those digits, where Decides(count).
  const std::string& CopyDigits(std::int32_t count);

  int words_;
  DecimalFixed sum_;
  std::uint64_t error_ = 1;
  // The common denominator is at most denominatorMantissa_ 2^denominatorExponent_, the
  // mantissa below 2^32.
  std::uint64_t denominatorMantissa_;
  int denominatorExponent_ = 0;
  // The last text from the copy, which each call brings up to date, and the last one from the
  // exact expansion.
  std::string text_, exactText_;
};

// What decides the digit texts of a series' partial sum: a decimal copy of the sum, wherever
// its error allows; elsewhere the exact sum, which owns the value and its saturation.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalFixed.h"
#include "DenominatorBound.h"
#include "FractionDigits.h"

// A partial sum in decimal fixed point, within a known number of units of its last word of the
// exact sum, beside a bound on a common denominator of the sum's terms. The copy decides the
// first count digits of a text where every number within its error has the same ones and the
// bound is at most MaxExpansionBits: the exact sum's expansion is then plain long division
// within the capacity, and its digits are the copy's. Any other text is the exact sum's own.
class TextDecider {
 public:
  // The words after the point of a copy that holds digits digits: those of the sum and of the
  // terms' copies that are added to it.
  static int CopyWords(std::int32_t digits);
  // The copy of num / den (within one unit) to CopyWords(digits) words after the point; den is
  // the first common denominator.
  TextDecider(std::int32_t digits, std::uint32_t num, std::uint32_t den);
  // sum := sum + term, or sum - term (term at most the sum), for the copy of a term that lies
  // within termError units of the true term.
  void Add(const DecimalFixed& term, std::uint64_t termError);
  void Subtract(const DecimalFixed& term, std::uint64_t termError);
  // The common denominator of the terms grows by factor, below 2^32.
  void GrowDenominatorBound(std::uint64_t factor) { bound_.Grow(factor); }
  // The first count digits after the point of the exact sum, as FractionDigits gives them: the
  // copy's where it decides them, else the expansion of the exact sum that catchUp() brings up
  // to date and gives, saturations and all. The text stays until the next call.
  template <class CatchUp>
  const std::string& Digits(std::int32_t count, CatchUp catchUp) {
    if (Decides(count)) return CopyDigits(count);
    exactText_ = FractionDigits(catchUp(), count);
    return exactText_;
  }
  // Whether the first count digits after the point are the copy's to decide.
  bool Decides(std::int32_t count) const;
  const DenominatorBound& Bound() const { return bound_; }

 private:
  // Those digits, where Decides(count).
  const std::string& CopyDigits(std::int32_t count);

  DecimalFixed sum_;
  std::uint64_t error_ = 1;
  DenominatorBound bound_;
  // The last text from the copy, which each call brings up to date, and the last one from the
  // exact expansion.
  std::string text_, exactText_;
};

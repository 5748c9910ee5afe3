// What decides the digit texts of a series' partial sums: the series' value, less the sum's
// tail, wherever that settles them; elsewhere the exact sum, which owns the value and its
// saturation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "DenominatorBound.h"
#include "FractionDigits.h"
#include "SeriesValue.h"

// A partial sum is the series' value less its tail, the terms after it. The value decides the
// first count digits of a sum where every number that the value's error and the bounds on the
// tail allow has the same ones, and where a common denominator of the sum's terms has at most
// MaxExpansionBits bits: the exact sum's expansion is then plain long division within the
// capacity, and its digits are those. Any other text is the exact sum's own.
class TextDecider {
 public:
  // The value of the whole series, and the first common denominator of its sum.
  TextDecider(SeriesValue value, std::uint32_t firstDen);
  // The common denominator of the terms grows by factor, below 2^32.
  void GrowDenominatorBound(std::uint64_t factor) { bound_.Grow(factor); }
  // The ratio to lead, in DecimalBounds::RatioUnit, at or below which a term of a tail whose
  // first term lies within lead is below 10^-(count + 12), or as small as whole units make it:
  // the terms from there on may go as a whole into a bound on the rest. At least 1. The tail's
  // bounds are wider: by the ratios' rounding and, for π's first passes, the 239-series' share.
  static std::uint64_t NegligibleRatio(const DecimalBounds& lead, std::int32_t count);
  // The first count digits after the point of the sum whose tail lies within tail, as
  // FractionDigits gives them for the exact sum: the value's where it decides them, else the
  // expansion of the exact sum that exactSum() gives, saturations and all. The text stays
  // until the next call.
  template <class ExactSum>
  const std::string& Text(std::int32_t count, const TailBounds& tail, ExactSum exactSum) {
    if (FromValue(count, tail)) return text_;
    exactText_ = FractionDigits(exactSum(), count);
    return exactText_;
  }

 private:
  // Makes text_ the first count digits of the value less the tail, where the value decides
  // them.
  bool FromValue(std::int32_t count, const TailBounds& tail);

  SeriesValue value_;
  std::string valueText_;  // every digit of the value after the point
  DenominatorBound bound_;
  // The last text from the value: valueText_'s digits but from textChanged_ on, where the tail
  // changed them; and the last one from the exact expansion.
  std::string text_, exactText_;
  std::size_t textChanged_ = 0;
};

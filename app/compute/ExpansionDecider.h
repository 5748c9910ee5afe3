// What decides the expansion of a series' partial sum, its first digits after the point: the
// series' value, less the sum's tail, wherever that settles them; elsewhere the exact sum, which
// owns the sum's value and its saturation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "DenominatorBound.h"
#include "FractionDigits.h"
#include "SeriesValue.h"
#include "TavoLongBunsuu.h"

// How far a partial sum lies from the series' value: the value less the sum is x, or -x where
// negative, for some x within magnitude.
struct TailBounds {
  DecimalBounds magnitude;
  bool negative = false;
};

// The words after the point that a value needs for expansions of up to count digits: theirs
// and two more. Below the 19 digits after the cut that ExpansionOffset reads, a whole word then
// lies between them and the last word, so that an error of less than 10^19 units of the last
// word is less than one unit of the last digit read.
constexpr int WordsToDecide(std::int32_t count) {
  return (count + DecimalWordDigits - 1) / DecimalWordDigits + 2;
}

// The q for which floor((v - t) 10^count) = floor(value 10^count) + q for every v less than
// 10^19 units of value's last word away from it and every t that the tail allows (t = x, or -x
// where negative). Nothing where they do not all give the same q; nor, at times, where they come
// within three units of 10^-(count + 19) of giving another; nor where value has fewer than
// WordsToDecide(count) words after the point, or where the unit of the tail's mantissas,
// 10^exponent, lies above 10^-count.
std::optional<std::int64_t> ExpansionOffset(const DecimalFixed& value, std::int32_t count,
                                            const TailBounds& tail);

// A partial sum is the series' value less its tail, the terms after it. The value decides the
// first count digits of a sum where every number that the value's error and the bounds on the
// tail allow has the same ones, and where a common denominator of the sum's terms has at most
// MaxExpansionBits bits: the exact sum's expansion is then plain long division within the
// capacity, and its digits are those. Any other expansion is the exact sum's own.
class ExpansionDecider {
 public:
  // The value of the whole series, and the first common denominator of its sum.
  ExpansionDecider(SeriesValue value, std::uint32_t firstDen);
  // The common denominator of the terms grows by factor, below 2^32.
  void GrowDenominatorBound(std::uint64_t factor) { bound_.Grow(factor); }
  // The ratio to lead, in DecimalBounds::RatioUnit, at or below which a term of a tail whose
  // first term lies within lead is below 10^-(count + 12), or as small as whole units make it:
  // the terms from there on may go as a whole into a bound on the rest. At least 1. The tail's
  // bounds are wider: by the ratios' rounding and, for π's first passes, the 239-series' share.
  static std::uint64_t NegligibleRatio(const DecimalBounds& lead, std::int32_t count);
  // The first count digits after the point of the sum whose tail lies within tail, as
  // FractionDigits gives them for the exact sum: the value's where it decides them, else the
  // expansion of the exact sum that exactSum() gives, saturations and all. The digits stay
  // until the next call.
  template <class Exact>
  const std::string& Expansion(std::int32_t count, const TailBounds& tail, Exact exactSum) {
    if (FromValue(count, tail)) return expansion_;
    exactExpansion_ = FractionDigits(exactSum(), count);
    return exactExpansion_;
  }

 private:
  // Makes expansion_ the first count digits of the value less the tail, where the value decides
  // them.
  bool FromValue(std::int32_t count, const TailBounds& tail);

  SeriesValue value_;
  std::string valueDigits_;  // every digit of the value after the point
  DenominatorBound bound_;
  // The last expansion from the value: valueDigits_ but from changed_ on, where the tail changed
  // them; and the last one from the exact sum.
  std::string expansion_, exactExpansion_;
  std::size_t changed_ = 0;
};

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
#include "SeriesValue.h"
#include "TavoLong.h"

// How far a partial sum lies from the series' value: the value less the sum is x, or -x where
// negative, for some x within magnitude.
struct TailBounds {
  DecimalBounds magnitude;
  bool negative = false;
};

// The words after the point that a value needs for expansions of up to count digits: theirs and
// two more, so that a whole word lies between the 19 digits after the cut that ExpansionOffset
// reads and the last word: an error below 10^19 units of that is below a unit of the last read.
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
  // FractionDigits gives them for the exact sum, where the value decides them; else nothing. The
  // digits stay until the next call.
  const std::string* FromValue(std::int32_t count, const TailBounds& tail);

 private:
  SeriesValue value_;
  std::string valueDigits_;  // every digit of the value after the point
  DenominatorBound bound_;
  // The last expansion from the value: valueDigits_ but from changed_ on, where the tail changed
  // them.
  std::string expansion_;
  std::size_t changed_ = 0;
};

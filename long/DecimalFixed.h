// Decimal fixed point: a non-negative number held as words of 19 decimal digits, for sums
// whose digits are read off as text without converting from binary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A non-negative number in decimal fixed point: an integer word and a fixed number of words
// after the point, each a base-10^19 digit, most significant first; what lies below the last
// word is cut off.
class DecimalFixed {
 public:
  // floor(num / den) to the precision, for 0 <= num and 0 < den.
  DecimalFixed(int fractionWords, std::uint32_t num, std::uint32_t den);
  // this := floor(this / d), d > 0.
  void DivideBy(std::uint32_t d);
  // this := this + x, or this - x when subtracting (x at most this); x has the same precision.
  void AddOrSubtract(const DecimalFixed& x, bool subtracting);
  // The first count digits after the point of every number within error units of the last
  // word of this one, when they all have the same ones; false otherwise, or when count goes
  // beyond the precision or the range reaches below 0 or up to 1. error < 10^19.
  bool DigitsWithin(std::uint64_t error, std::int32_t count, std::string& text) const;

 private:
  std::vector<std::uint64_t> words_;  // words_[0] is the integer part
  std::size_t lead_ = 0;              // the words before lead_ are zero
};

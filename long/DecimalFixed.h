// Decimal fixed point: a non-negative number held as decimal words, for sums whose digits are
// read off as text without converting from binary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A non-negative number in decimal fixed point: an integer word and a fixed number of words
// after the point, each a base-10^19 digit (a decimal word), most significant first; what
// lies below the last word is cut off. Every operation is exact in units of the last word:
// the value is a whole number of units, and a division gives the floor of the true quotient.
class DecimalFixed {
 public:
  // floor(num / den) to the precision, for 0 <= num and 0 < den < 2^31.
  DecimalFixed(int fractionWords, std::uint32_t num, std::uint32_t den);
  // this := floor(this / d), 0 < d < 2^31.
  void DivideBy(std::uint32_t d);
  // this := floor(this / d) and byBoth := floor(this / (d e)), from this as it was, in one pass:
  // the two divisions run side by side. 0 < d e < 2^31; byBoth has this one's precision.
  void DivideBy(std::uint32_t d, std::uint32_t e, DecimalFixed& byBoth);
  // this := this + x; x has the same precision, and the sum stays below 10^19.
  void Add(const DecimalFixed& x);
  // this := this - x; x has the same precision and is at most this.
  void Subtract(const DecimalFixed& x);
  // Whether every number within error units of the last word of this one has the same first
  // count digits after the point as this one; false also when count goes beyond the precision
  // or the range reaches below 0 or up to 1. error < 10^19.
  bool DigitsWithin(std::uint64_t error, std::int32_t count) const;
  // text := the first count digits after the point, count within the precision.
  void WriteDigits(std::int32_t count, std::string& text) const;
  // The same for a text that the last UpdateDigits of this number wrote: only the words that
  // have changed since are written again.
  void UpdateDigits(std::int32_t count, std::string& text);
  // Word i: 0 is the integer part, 1 the first word after the point.
  std::uint64_t WordAt(std::size_t i) const { return words_[i]; }

 private:
  // Moves lead_ past the zero words at the front.
  void SkipLeadingZeros();
  // Notes that the words from index i on may have changed.
  void Changed(std::size_t i);
  // Writes the digits of text from word first after the point up to its end.
  void WriteDigitsFrom(std::size_t first, std::string& text) const;

  std::vector<std::uint64_t> words_;  // words_[0] is the integer part
  std::size_t lead_ = 0;              // the words before lead_ are zero
  // The words after the point whose digits the last UpdateDigits wrote and that are the same
  // since.
  std::size_t writtenWords_ = 0;
};

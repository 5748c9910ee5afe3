// Decimal fixed point: a non-negative number held as decimal words, for values whose digits are
// read off as text without converting from binary.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "DecimalBounds.h"
#include "TavoLong.h"

// How far a partial sum of a series lies from the series' value: the value less the sum is x,
// or -x where negative, for some x within magnitude.
struct TailBounds {
  DecimalBounds magnitude;
  bool negative = false;
};

// One step of MulAddDivide: x := floor((a x + c) / b).
struct DecimalStep {
  std::uint64_t a, c, b;
};

// A non-negative number in decimal fixed point: an integer word and a fixed number of words
// after the point, each a base-10^19 digit (a decimal word), most significant first; what
// lies below the last word is cut off. Every operation is exact in units of the last word it
// works to: the value is a whole number of units, and a division gives the floor of the true
// quotient.
class DecimalFixed {
 public:
  // floor(num / den) to the precision, for den > 0.
  DecimalFixed(int fractionWords, std::uint32_t num, std::uint32_t den);
  // Each step in turn, this := floor((a this + c) / b), to the integer word and the first
  // `words` words after the point; the words after them must be zero, and stay so. Two steps go
  // in one sweep over the words, from the top. Each step needs b > 0, a at most 2/5 of b, and a
  // times the integer word plus c below 2^64, which keep every quotient within a word.
  void MulAddDivide(std::span<const DecimalStep> steps, int words);
  // this := this - x; x has the same precision and is at most this.
  void Subtract(const DecimalFixed& x);
  // The q for which floor((v - t) 10^count) = floor(this 10^count) + q for every v less than
  // 10^19 units of the last word away from this and every t that the tail allows (t = x, or -x
  // where negative). Nothing where they do not all give the same q; nor, at times, where they
  // come within three units of 10^-(count + 19) of giving another; nor where this has fewer
  // than WordsToDecide(count) words after the point, or where the unit of the tail's mantissas,
  // 10^exponent, lies above 10^-count.
  std::optional<std::int64_t> DigitsOffset(std::int32_t count, const TailBounds& tail) const;
  // The words after the point that DigitsOffset needs for count digits: theirs and two more.
  // Below the 19 digits after the cut that it reads, a whole word then lies between them and
  // the last word, so that an error of less than 10^19 units of the last word is less than one
  // unit of the last digit read.
  static int WordsToDecide(std::int32_t count) {
    return (count + DecimalWordDigits - 1) / DecimalWordDigits + 2;
  }
  // text := the first count digits after the point, count within the precision.
  void WriteDigits(std::int32_t count, std::string& text) const;
  // floor(this): the integer word.
  std::uint64_t IntegerWord() const { return words_[0]; }
  int FractionWords() const { return static_cast<int>(words_.size()) - 1; }

 private:
  std::vector<std::uint64_t> words_;  // words_[0] is the integer part
};

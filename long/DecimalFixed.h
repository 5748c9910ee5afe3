// Decimal fixed point: a non-negative number held as decimal words, for values whose decimal
// digits are read off without converting from binary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>


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
  // digits := the first count digits after the point, count within the precision.
  void WriteDigits(std::int32_t count, std::string& digits) const;
  // Word i: the integer word for i = 0, else the i-th word after the point, i <= FractionWords().
  std::uint64_t WordAt(int i) const { return words_[static_cast<std::size_t>(i)]; }
  int FractionWords() const { return static_cast<int>(words_.size()) - 1; }

 private:
  std::vector<std::uint64_t> words_;  // words_[0] is the integer part
};

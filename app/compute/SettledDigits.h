// The scan for settled digits: a digit is printed once it and the digit after it are the same
// in two consecutive expansions of partial sums.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

#include "DigitSink.h"

// How far past the next digit to print each expansion is read: the scan asks for the first
// NextPosition() + Lookahead digits of each sum.
inline constexpr std::int32_t Lookahead = 5;

class SettledDigits {
 public:
  // Prints, from the next position on, the digits of current that agree with the previous
  // expansion together with the digit after them, all with one flush; then current becomes the
  // previous expansion. The first previous expansion is "1", which never lets a digit through.
  void Scan(const std::string& current, DigitSink& out);
  // The 1-based position of the next digit to print.
  std::int32_t NextPosition() const { return pos_; }

 private:
  // A scan looks at the previous expansion only from the digit before the next position to print
  // on, index pos_ - 1: that is all that is kept of it. Read while pos_ is where the scan
  // began.
  char Previous(std::int32_t index) const {
    const std::int32_t keptStart = pos_ - 1;
    assert(index >= keptStart &&
           static_cast<std::size_t>(index - keptStart) < previousKept_.size());
    return previousKept_[static_cast<std::size_t>(index - keptStart)];
  }

  std::int32_t pos_ = 1;
  std::string previousKept_ = "1";  // the previous expansion from index pos_ - 1 on
  std::size_t previousLength_ = 1;
};

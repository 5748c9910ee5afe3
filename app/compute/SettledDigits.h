// The scan for settled digits: a digit is printed once it and the digit after it are the same
// in two consecutive digit texts.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

#include "DigitSink.h"

// How far past the next digit to print each text is read: the scan asks for the first
// NextPosition() + Lookahead digits of each sum.
inline constexpr std::int32_t Lookahead = 5;

class SettledDigits {
 public:
  // Prints, from the next position on, the digits of current that agree with the previous
  // text together with the digit after them, all with one flush; then current becomes the
  // previous text. The first previous text is "1", which never lets a digit through.
  void Scan(const std::string& current, DigitSink& out);
  // The 1-based position of the next digit to print.
  std::int32_t NextPosition() const { return pos_; }

 private:
  // A scan looks at the previous text only from the digit before the next position to print
  // on, index pos_ - 1: that is all that is kept of it. Read while pos_ is where the scan
  // began.
  char Previous(std::int32_t index) const {
    const std::int32_t tailStart = pos_ - 1;
    assert(index >= tailStart &&
           static_cast<std::size_t>(index - tailStart) < previousTail_.size());
    return previousTail_[static_cast<std::size_t>(index - tailStart)];
  }

  std::int32_t pos_ = 1;
  std::string previousTail_ = "1";  // the previous text from index pos_ - 1 on
  std::size_t previousLength_ = 1;
};

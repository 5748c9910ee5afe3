// e's series 1/2! + ... + 1/k!, and its digit text kept up to date as its terms come in.
#pragma once

#include <cstdint>
#include <string>

#include "TavoLongBunsuu.h"

// The sum is one exact fraction, never reduced: its Den is k!. Adding 1/k! changes its digit
// text by a carry into its last digits, so the text of one term follows from the text and the
// remainder of the one before with work linear in the length of the numbers, plus the digits
// that the text grows by. The texts are exactly those of FractionDigits on the sum,
// saturations included.
class FactorialSumDigits {
 public:
  // Adds the next term 1/k! to the sum and gives the first count digits after the point of
  // the new sum.
  const std::string& NextTerm(std::int32_t count);
  // The text that the last NextTerm gave.
  const std::string& Digits() const { return text_; }

 private:
  // Brings the text to the sum just advanced by 1/k_!; false when it cannot (the state must be
  // rebuilt).
  bool Advance();
  // Lengthens the text to count digits by long division of the remainder.
  void Extend(std::int32_t count);
  // Expands the sum afresh.
  void Restart(std::int32_t count);
  // scale_ := scale_ * 10^count; false when it would leave the range in which the next term
  // can be added without saturating.
  bool Scale(std::int32_t count);

  TBunsuu sum_;         // 0/1 before the first term, 1/2!
  std::int32_t k_ = 1;  // the last term added is 1/k_!
  std::string text_;
  // While valid_: Num * 10^c mod Den, and 10^c, for c = text_.size().
  TLongNum remainder_;
  TLongNum scale_;
  bool valid_ = false;
};

// The digit text of the sum 1/2! + ... + 1/k! kept up to date as its terms come in.
#pragma once

#include <cstdint>
#include <string>

#include "TavoLongBunsuu.h"

// Adding 1/k! to a sum changes its digit text by a carry into its last digits, so the text of
// one term follows from the text and the remainder of the one before with work linear in the
// length of the numbers, plus the digits that the text grows by. The texts are exactly those
// of FractionDigits, saturations included.
class FactorialSumDigits {
 public:
  // The first count digits of sum after the point, for the sum just advanced by its term
  // 1/k!: Num := Num * k + 1 and Den := Den * k, Den being k!.
  const std::string& Next(const TBunsuu& sum, std::int32_t k, std::int32_t count);
  std::string& Text() { return text_; }

 private:
  // Brings the text to the new term; false when it cannot (the state must be rebuilt).
  bool Advance(const TBunsuu& sum, std::int32_t k);
  // Lengthens the text to count digits by long division of the remainder.
  void Extend(const TBunsuu& sum, std::int32_t count);
  // Expands sum afresh.
  void Restart(const TBunsuu& sum, std::int32_t count);
  // scale_ := scale_ * 10^count; false when it would leave the range in which the next term
  // can be added without saturating.
  bool Scale(std::int32_t count);

  std::string text_;
  // While valid_: Num * 10^c mod Den, and 10^c, for c = text_.size().
  TLongNum remainder_;
  TLongNum scale_;
  bool valid_ = false;
};

// e's series 1/2! + ... + 1/k!, and the digit texts of its partial sums.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "TavoLongBunsuu.h"
#include "TextDecider.h"

// The decider gives the digit texts from e - 2 and each sum's tail; the exact fraction, never
// reduced, its Den k!, is caught up only where a text needs it.
class FactorialSum {
 public:
  // e - 2 to the width that texts of up to textDigits digits need.
  explicit FactorialSum(std::int32_t textDigits);
  // Takes the next term 1/k!.
  void NextTerm();
  // Catches the exact sum up with the terms taken, adding each it has not (up to every term in
  // one call), and gives it as the big-integer operations give it: (Num * k + 1) / (Den * k)
  // adds 1/k! to Num / Den. 3258! still fits the capacity; the expansion of the sum over it
  // does not, and saturates, setting OverflowFlag, in its product by ten.
  const TBunsuu& CatchUpExactSum();
  // The first count digits after the point of the partial sum, as TextDecider::Digits gives
  // them. The text stays until the next call.
  const std::string& Digits(std::int32_t count);
  const TextDecider& Decider() const { return decider_; }

 private:
  // The terms after 1/k!, for a text of count digits.
  TailBounds Tail(std::int32_t count) const;

  std::int32_t k_ = 1;
  DecimalBounds nextTerm_;  // 1/(k + 1)!
  TextDecider decider_;
  // The exact sum as of the term 1/exactK_!; 0/1 before the first term.
  std::int32_t exactK_ = 1;
  TBunsuu exact_;
};

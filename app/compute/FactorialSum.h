// e's series 1/2! + ... + 1/k!, and the digit texts of its partial sums.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalFixed.h"
#include "TavoLongBunsuu.h"
#include "TextDecider.h"

// The decider gives the digit texts; the exact fraction, never reduced, its Den k!, owns the
// value and its saturation, and is caught up only where a text needs it.
class FactorialSum {
 public:
  // The decider's copy holds copyDigits digits after the point, and at least one word more.
  explicit FactorialSum(std::int32_t copyDigits);
  // Adds the next term 1/k! to the copy.
  void NextTerm();
  // Catches the exact sum up with the terms taken, adding each it has not (up to every term in
  // one call), and gives it as the big-integer operations give it: (Num * k + 1) / (Den * k)
  // adds 1/k! to Num / Den. From the term whose k! outgrows the capacity on, it is saturated,
  // with OverflowFlag set.
  const TBunsuu& CatchUpExactSum();
  // The first count digits after the point of the partial sum, as TextDecider::Digits gives
  // them. The text stays until the next call.
  const std::string& Digits(std::int32_t count);
  const TextDecider& Decider() const { return decider_; }

 private:
  std::int32_t k_ = 1;
  // The decider, the copy of the last term, 1/k!, and that of the next one, 1/(k + 1)!, while
  // k is even: the terms come two by two from one pass over the words.
  TextDecider decider_;
  DecimalFixed term_, next_;
  // The exact sum as of the term 1/exactK_!; 0/1 before the first term.
  std::int32_t exactK_ = 1;
  TBunsuu exact_;
};

// e's series 1/2! + 1/3! + ...: term k adds 1/k!. The texts of the partial sums come from e - 2
// less each sum's tail; the exact sum, which owns their saturation, only where that does not
// decide them.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "ExpansionDecider.h"
#include "SeriesValue.h"
#include "TavoLongBunsuu.h"

// e - 2 to words words after the point.
SeriesValue EMinusTwo(int words);

// The exact partial sum, never reduced: Num / Den with Den = k!, as (Num * k + 1) / (Den * k)
// adds 1/k! to Num / Den.
class FactorialExactSum {
 public:
  // The sum as of the term 1/k!, for a k not below the last one asked for.
  const TBunsuu& At(std::int32_t k);

 private:
  std::int32_t k_ = 1;
  TBunsuu sum_;
};

class FactorialSum {
 public:
  // e - 2 to the width that texts of up to textDigits digits need.
  explicit FactorialSum(std::int32_t textDigits);
  void NextTerm();
  // Bounds on the terms after the last one taken, tight enough for a text of count digits.
  TailBounds Tail(std::int32_t count) const;
  // The first count digits after the point of the partial sum, as ExpansionDecider::Expansion gives
  // them. The text stays until the next call.
  const std::string& Text(std::int32_t count);

 private:
  std::int32_t k_ = 1;
  DecimalBounds nextTerm_;  // 1/(k + 1)!
  ExpansionDecider decider_;
  FactorialExactSum exact_;
};

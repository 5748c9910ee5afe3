// A series summed pass by pass, and the expansion of each partial sum: from the series' value
// less the sum's tail where that decides it, else from the exact sum.
#pragma once

#include <cstdint>
#include <string>

#include "ExpansionDecider.h"
#include "TavoLongBunsuu.h"

// Series, MachinSeries or FactorialSeries, gives:
//   - Value(words), the whole series to words words after the point, and FirstDen, the
//     denominator of its sum before the first pass;
//   - DenominatorFactor(j), by which a common denominator of the sum's terms grows in pass j;
//   - NextPass(), Pass() and Tail(count): the passes taken, and bounds on the terms after them;
//   - ExactSum, whose At(j) is the exact sum after pass j, saturations and all.
template <class Series>
class PartialSums {
 public:
  // The series' value to the width that expansions of up to longestExpansion digits need.
  explicit PartialSums(std::int32_t longestExpansion)
      : decider_(Series::Value(WordsToDecide(longestExpansion)), Series::FirstDen) {}
  void NextPass() {
    series_.NextPass();
    decider_.GrowDenominatorBound(Series::DenominatorFactor(series_.Pass()));
  }
  // The first count digits after the point of the sum after the passes taken, as
  // ExpansionDecider::Expansion gives them. The digits stay until the next call.
  const std::string& Expansion(std::int32_t count) {
    return decider_.Expansion(count, series_.Tail(count),
                              [this]() -> const TBunsuu& { return exact_.At(series_.Pass()); });
  }

 private:
  Series series_;
  ExpansionDecider decider_;
  typename Series::ExactSum exact_;
};

// A series summed pass by pass, and the expansion of each partial sum: from the series' value
// less the sum's tail where that decides it, else from the exact sum.
#pragma once

#include <cstdint>
#include <string>

#include "ExpansionDecider.h"
#include "FractionDigits.h"

// Series, MachinSeries or FactorialSeries, gives:
//   - Value(words), the whole series to words words after the point, and FirstDen, the
//     denominator of its sum before the first pass;
//   - DenominatorFactor(j), by which a common denominator of the sum's terms grows in pass j;
//   - NextPass(), Pass() and Tail(count): the passes taken, and bounds on the terms after them
//     tight enough for an expansion of count digits;
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
  // FractionDigits gives them for the exact sum: the value's where it decides them, else the exact
  // sum's, saturations and all. The digits stay until the next call.
  const std::string& Expansion(std::int32_t count) {
    if (const std::string* digits = decider_.FromValue(count, series_.Tail(count))) return *digits;
    exactExpansion_ = FractionDigits(exact_.At(series_.Pass()), count);
    return exactExpansion_;
  }

 private:
  Series series_;
  ExpansionDecider decider_;
  typename Series::ExactSum exact_;
  std::string exactExpansion_;  // the last expansion of the exact sum
};

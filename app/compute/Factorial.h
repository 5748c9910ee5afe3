// e - 2 by its factorial series 1/2! + 1/3! + ..., summed pass by pass: pass j (j = 1, 2, ...)
// adds the term 1/(j + 1)!.
#pragma once

#include <cstdint>

#include "DecimalBounds.h"
#include "ExpansionDecider.h"
#include "SeriesValue.h"
#include "TavoLongBunsuu.h"

// The exact partial sum, never reduced: Num / Den with Den = (j + 1)! after pass j, as
// (Num f + 1) / (Den f) adds 1 / (Den f) to Num / Den.
class FactorialExactSum {
 public:
  // The sum after pass j, for a j not below the last one asked for.
  const TBunsuu& At(std::int32_t pass);

 private:
  std::int32_t pass_ = 0;
  TBunsuu sum_;
};

// e - 2 as PartialSums sums it: its value, how its sums' common denominator grows, its exact sum,
// and bounds on the tail after the passes taken.
class FactorialSeries {
 public:
  using ExactSum = FactorialExactSum;
  static constexpr std::uint32_t FirstDen = 1;
  static SeriesValue Value(int words);
  // The factor j + 1 by which pass j divides the term of the pass before, and multiplies the
  // common denominator (j + 1)!.
  static constexpr std::uint64_t DenominatorFactor(std::int32_t pass) {
    return static_cast<std::uint64_t>(pass) + 1;
  }

  FactorialSeries();
  void NextPass();
  std::int32_t Pass() const { return pass_; }
  TailBounds Tail(std::int32_t count) const;

 private:
  std::int32_t pass_ = 0;
  DecimalBounds nextTerm_;  // the term of the next pass
};

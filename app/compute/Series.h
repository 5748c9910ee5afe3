// π and e as exact sums of series, each digit printed once it has settled.
#pragma once

#include <cstdint>
#include <string>

#include "DigitSink.h"
#include "TavoLongBunsuu.h"

// 16 arctan(1/5) - 4 arctan(1/239) - 3, summed one term of each series per pass as one exact
// fraction. Every fraction involved is kept in lowest terms, so the sums can be reduced by
// Henrici's method.
class MachinSum {
 public:
  MachinSum();
  // Adds the next term of each series and returns the partial sum; its pass k adds the terms
  // of 1/5^k and 1/239^k (k = 3, 5, 7, ...). The first sum, before any pass, is 219/1195.
  const TBunsuu& NextPass();

 private:
  TBunsuu ratio5_, ratio239_, term5_, term239_, sum_;
  std::int32_t k_ = 1;
};

// π by Machin's formula, one pass of MachinSum at a time.
// Prints at least decimalPlaces digits (at most four more), unless OverflowFlag is or becomes
// set; digitString holds the digit text of the last partial sum.
void ComputePi(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString);

// e by the series 2 + 1/2! + 1/3! + ..., one term per iteration. Prints at least
// decimalPlaces digits (at most three more), unless OverflowFlag is or becomes set;
// digitString holds the digit text of the last partial sum.
void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString);

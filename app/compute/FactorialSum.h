// e's series 1/2! + ... + 1/k!, and the digit texts of its partial sums.
#pragma once

#include <cstdint>
#include <string>

#include "DecimalFixed.h"
#include "SeriesCopy.h"
#include "TavoLongBunsuu.h"

// The places of e that the capacity holds: the expansion of the sum of 1/3258! is the first
// that outgrows it.
inline constexpr std::int32_t FactorialPlacesWithinCapacity = 8004;

// The digit texts come from a decimal copy of the sum; the exact fraction, never reduced, its
// Den k!, is brought up to date only where a text or the capacity needs it.
class FactorialSum {
 public:
  // The decimal copy holds copyDigits digits after the point, and at least one word more.
  explicit FactorialSum(std::int32_t copyDigits);
  // Adds the next term 1/k! to the copy.
  void NextTerm();
  // The exact partial sum as the big-integer operations give it: (Num * k + 1) / (Den * k)
  // adds 1/k! to Num / Den.
  const TBunsuu& ExactSum();
  // The first count digits after the point of the partial sum, as FractionDigits gives them:
  // read from the decimal copy where it decides them, otherwise by the exact expansion. The
  // text stays until the next call.
  const std::string& Digits(std::int32_t count);
  // Digits from the decimal copy alone; false where it cannot decide them.
  bool DigitsFromCopy(std::int32_t count, std::string& text);

 private:
  std::int32_t k_ = 1;
  // The copy of the sum, that of the last term, 1/k!, and that of the next one, 1/(k + 1)!,
  // while nextReady_: the terms come two by two from one pass over the words.
  SeriesCopy copy_;
  DecimalFixed term_, next_;
  bool nextReady_ = false;
  // The exact sum as of the term 1/exactK_!; 0/1 before the first term.
  std::int32_t exactK_ = 1;
  TBunsuu exact_;
};

// Both series are exact fractions. After every term the fraction is expanded five digits past
// the next digit to print, and a digit is printed once it and the digit after it are the same
// in two consecutive partial sums. Each sum's text is read from its decimal copy where that
// decides it.
#include "Series.h"

#include <cstdint>
#include <string>

#include "Capacity.h"
#include "DigitSink.h"
#include "FactorialSum.h"
#include "Machin.h"
#include "SettledDigits.h"
#include "TavoLong.h"

namespace {

// How far past the next digit to print each partial sum is expanded.
constexpr std::int32_t Lookahead = 5;

// Takes the series' passes (next() adds a term, digits(count) gives the sum's text) and prints
// each digit once it has settled, until the scan has passed the places asked for or OverflowFlag
// is set; the last text is left in digitString.
template <class Next, class Digits>
void PrintSettled(Next next, Digits digits, std::uint16_t decimalPlaces, DigitSink& out,
                  std::string& digitString) {
  SettledDigits settled;
  for (;;) {
    next();
    const std::string& text = digits(settled.NextPosition() + Lookahead);
    settled.Scan(text, out);
    if (settled.NextPosition() > decimalPlaces || OverflowFlag) {
      digitString = text;
      return;
    }
  }
}

}  // namespace

// No text of a sum within the capacity is longer than its places and the lookahead: the loop
// ends once the scan has passed the places asked for. Each copy is that wide whatever the places
// asked for, so that it decides the same texts in every question.
void ComputePi(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.PiHeader();
  MachinSum machin(MachinPlacesWithinCapacity + Lookahead);
  PrintSettled([&] { machin.NextPass(); },
               [&](std::int32_t count) -> const std::string& { return machin.Digits(count); },
               decimalPlaces, out, digitString);
}

void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.EHeader();
  FactorialSum sum(FactorialPlacesWithinCapacity + Lookahead);
  PrintSettled([&] { sum.NextTerm(); },
               [&](std::int32_t count) -> const std::string& { return sum.Digits(count); },
               decimalPlaces, out, digitString);
}

// Both series are exact fractions. After every term the fraction is expanded Lookahead digits
// past the next digit to print, and a digit is printed once it and the digit after it are the
// same in two consecutive partial sums. Each sum's text is read from the series' value where
// that decides it.
#include "Series.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "Capacity.h"
#include "DigitSink.h"
#include "FactorialSum.h"
#include "Machin.h"
#include "SettledDigits.h"
#include "TavoLong.h"

namespace {

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

// The longest text that a question reads from a sum within the capacity: the loop ends once the
// scan has passed the places asked for, or at the sum that saturates, whose text is the exact
// sum's.
std::int32_t LongestText(std::uint16_t decimalPlaces, std::int32_t placesWithinCapacity) {
  return std::min<std::int32_t>(decimalPlaces, placesWithinCapacity) + Lookahead;
}

}  // namespace

void ComputePi(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.PiHeader();
  MachinSum machin(LongestText(decimalPlaces, MachinPlacesWithinCapacity));
  PrintSettled([&] { machin.NextPass(); },
               [&](std::int32_t count) -> const std::string& { return machin.Digits(count); },
               decimalPlaces, out, digitString);
}

void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.EHeader();
  FactorialSum sum(LongestText(decimalPlaces, FactorialPlacesWithinCapacity));
  PrintSettled([&] { sum.NextTerm(); },
               [&](std::int32_t count) -> const std::string& { return sum.Digits(count); },
               decimalPlaces, out, digitString);
}

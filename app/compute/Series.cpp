// After each pass of π and each term of e, the text of the partial sum is read Lookahead digits
// past the next digit to print, and a digit is printed once it and the digit after it are the
// same in two consecutive texts. The texts come from the series' value, computed once, less each
// sum's tail; the exact fraction answers the rest, and its saturation ends the digits.
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

// Takes the terms in turn (next() adds the next, text(count) gives the sum's text) and prints
// each digit once it has settled, until the scan has passed the places asked for or OverflowFlag
// is set; the last text is left in digitString.
template <class Next, class Text>
void PrintSettled(Next next, Text text, std::uint16_t decimalPlaces, DigitSink& out,
                  std::string& digitString) {
  SettledDigits settled;
  for (;;) {
    next();
    const std::string& current = text(settled.NextPosition() + Lookahead);
    settled.Scan(current, out);
    if (settled.NextPosition() > decimalPlaces || OverflowFlag) {
      digitString = current;
      return;
    }
  }
}

// The longest text that a question reads from a sum within the capacity, Lookahead digits past
// the next digit to print: 1 at the first pass, which after an overflow is the only one, and
// later within the places asked for or up to the sum that saturates, whose text is exact.
std::int32_t LongestText(std::uint16_t decimalPlaces, std::int32_t placesWithinCapacity) {
  return (OverflowFlag ? 1 : std::clamp<std::int32_t>(decimalPlaces, 1, placesWithinCapacity)) +
         Lookahead;
}

}  // namespace

void ComputePi(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.PiHeader();
  MachinSum machin(LongestText(decimalPlaces, MachinPlacesWithinCapacity));
  PrintSettled([&] { machin.NextPass(); },
               [&](std::int32_t count) -> const std::string& { return machin.Text(count); },
               decimalPlaces, out, digitString);
}

void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.EHeader();
  FactorialSum sum(LongestText(decimalPlaces, FactorialPlacesWithinCapacity));
  PrintSettled([&] { sum.NextTerm(); },
               [&](std::int32_t count) -> const std::string& { return sum.Text(count); },
               decimalPlaces, out, digitString);
}

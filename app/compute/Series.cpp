// After each pass, the expansion of the partial sum is read Lookahead digits past the next digit
// to print, and a digit is printed once it and the digit after it are the same in two
// consecutive expansions. The expansions come from the series' value, computed once, less each
// sum's tail; the exact sum answers the rest, and its saturation ends the digits.
#include "Series.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "Capacity.h"
#include "DigitSink.h"
#include "Factorial.h"
#include "Machin.h"
#include "PartialSums.h"
#include "SettledDigits.h"
#include "TavoLong.h"

namespace {

// The longest expansion that a question reads from a sum within the capacity, Lookahead digits
// past the next digit to print: 1 at the first pass, after an overflow the only one, and later
// within the places asked for or up to the sum that saturates, whose expansion is exact.
std::int32_t LongestExpansion(std::uint16_t decimalPlaces, std::int32_t placesWithinCapacity) {
  return (OverflowFlag ? 1 : std::clamp<std::int32_t>(decimalPlaces, 1, placesWithinCapacity)) +
         Lookahead;
}

// Takes the passes of the series in turn and prints each digit once it has settled, until the
// scan has passed the places asked for or OverflowFlag is set; the last expansion is left in
// digitString.
template <class Series>
void PrintSettled(std::uint16_t decimalPlaces, std::int32_t placesWithinCapacity, DigitSink& out,
                  std::string& digitString) {
  PartialSums<Series> sums(LongestExpansion(decimalPlaces, placesWithinCapacity));
  SettledDigits settled;
  for (;;) {
    sums.NextPass();
    const std::string& current = sums.Expansion(settled.NextPosition() + Lookahead);
    settled.Scan(current, out);
    if (settled.NextPosition() > decimalPlaces || OverflowFlag) {
      digitString = current;
      return;
    }
  }
}

}  // namespace

void ComputePi(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.PiHeader();
  PrintSettled<MachinSeries>(decimalPlaces, MachinPlacesWithinCapacity, out, digitString);
}

void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.EHeader();
  PrintSettled<FactorialSeries>(decimalPlaces, FactorialPlacesWithinCapacity, out, digitString);
}

// Both series are exact fractions. After every term the fraction is expanded five digits past
// the next digit to print, and a digit is printed once it and the digit after it are the same
// in two consecutive partial sums. Each sum's text is read from its decimal copy where that
// decides it.
#include "Series.h"

#include "FactorialSum.h"
#include "SettledDigits.h"
#include "TavoLong.h"

namespace {

// How far past the next digit to print each partial sum is expanded.
constexpr std::int32_t Lookahead = 5;

}  // namespace

void ComputePi(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.PiHeader();
  // No text of a sum within the capacity is longer than its places and the lookahead: the
  // loop ends once the scan has passed the places asked for. The copy is that wide whatever
  // the places asked for, so that it decides the same texts in every question.
  MachinSum machin(MachinPlacesWithinCapacity + Lookahead);
  SettledDigits settled;
  for (;;) {
    machin.NextPass();
    const std::string& text = machin.Digits(settled.NextPosition() + Lookahead);
    settled.Scan(text, out);
    if (settled.NextPosition() > decimalPlaces || OverflowFlag) {
      digitString = text;
      return;
    }
  }
}

void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.EHeader();
  // As wide as π's copy is, for the same reason.
  FactorialSum sum(FactorialPlacesWithinCapacity + Lookahead);
  SettledDigits settled;
  for (;;) {
    sum.NextTerm();
    const std::string& text = sum.Digits(settled.NextPosition() + Lookahead);
    settled.Scan(text, out);
    if (settled.NextPosition() > decimalPlaces || OverflowFlag) {
      digitString = text;
      return;
    }
  }
}

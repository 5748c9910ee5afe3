// Both series keep their partial sum as one exact fraction. After every term the fraction is
// expanded five digits past the next digit to print, and a digit is printed once it and the
// digit after it are the same in two consecutive partial sums. π reads each sum's text from
// its decimal copy where that decides it; e's text follows from the one before.
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
  // No text is longer than the places asked for and the lookahead: the loop ends once the
  // scan has passed them.
  MachinSum machin(decimalPlaces + Lookahead);
  SettledDigits settled;
  for (;;) {
    machin.NextPass();
    digitString = machin.Digits(settled.NextPosition() + Lookahead);
    settled.Scan(digitString, out);
    if (settled.NextPosition() > decimalPlaces || OverflowFlag) break;
  }
}

void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.EHeader();
  SettledDigits settled;
  FactorialSumDigits sum;
  for (;;) {
    settled.Scan(sum.NextTerm(settled.NextPosition() + Lookahead), out);
    if (settled.NextPosition() > decimalPlaces || OverflowFlag) break;
  }
  digitString = sum.Digits();
}

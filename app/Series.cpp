// Both series keep their partial sum as one exact fraction. After every term the fraction is
// expanded five digits past the next digit to print, and a digit is printed once it and the
// digit after it are the same in two consecutive partial sums.
#include "Series.h"

#include "FractionDigits.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

// How far past the next digit to print each partial sum is expanded.
constexpr std::int32_t Lookahead = 5;

// Prints the digits from position pos (1-based) on for as long as they and the digits after
// them agree between the previous and the current digit text; advances pos past them.
void PrintSettledDigits(const std::string& previous, const std::string& current, std::int32_t& pos,
                        DigitSink& out) {
  const auto known = static_cast<std::int32_t>(std::min(previous.size(), current.size()));
  while (pos + 1 <= known && previous[pos - 1] == current[pos - 1] &&
         previous[pos] == current[pos]) {
    out.Digit(current[pos - 1]);
    ++pos;
  }
}

// Expands sum for the next pass and prints what has settled.
void NextDigitText(const TBunsuu& sum, std::int32_t& pos, std::string& previous,
                   std::string& digitString, DigitSink& out) {
  previous.swap(digitString);
  digitString = FractionDigits(sum, pos + Lookahead);
  PrintSettledDigits(previous, digitString, pos, out);
}

}  // namespace

void ComputePi(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.PiHeader();
  TBunsuu ratio5, ratio239, term5, term239, t;
  BunsuuSet(-1, 25, ratio5);
  BunsuuSet(-1, 57121, ratio239);
  BunsuuSet(16, 5, term5);
  BunsuuSet(-4, 239, term239);
  // The sum less the integer part 3.
  TBunsuu sum = BunsuuSub(BunsuuSum(term5, term239), BunsuuFromInt(3));
  digitString.assign(1, '1');
  std::int32_t pos = 1;
  std::int32_t k = 1;
  std::string previous;
  for (;;) {
    k += 2;
    BunsuuMul(term5, ratio5, term5);
    BunsuuMul(term239, ratio239, term239);
    BunsuuAddReduced(term5, term239, t);
    BunsuuDiv(t, BunsuuFromInt(k), t);
    BunsuuAddReduced(sum, t, sum);
    NextDigitText(sum, pos, previous, digitString, out);
    if (pos > decimalPlaces || OverflowFlag) break;
  }
}

void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.EHeader();
  // 1/2! + ... + 1/k!, never reduced: Den is k!.
  TBunsuu sum;
  sum.Num = LongZero;
  sum.Den = LongOne;
  digitString.assign(1, '1');
  std::int32_t pos = 1;
  std::int32_t k = 1;
  std::string previous;
  TLongNum factor;
  for (;;) {
    ++k;
    LongFromInt(k, factor);
    // (Num * k + 1) / (Den * k) adds 1/k! to Num / Den.
    LongMul(sum.Den, factor, sum.Den);
    LongMul(sum.Num, factor, sum.Num);
    LongInc(sum.Num);
    NextDigitText(sum, pos, previous, digitString, out);
    if (pos > decimalPlaces || OverflowFlag) break;
  }
}

// Both series keep their partial sum as one exact fraction. After every term the fraction is
// expanded five digits past the next digit to print, and a digit is printed once it and the
// digit after it are the same in two consecutive partial sums. π expands each sum afresh; e's
// text follows from the one before.
#include "Series.h"

#include "FactorialSum.h"
#include "FractionDigits.h"
#include "SettledDigits.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

// How far past the next digit to print each partial sum is expanded.
constexpr std::int32_t Lookahead = 5;

}  // namespace

MachinSum::MachinSum() {
  BunsuuSet(-1, 25, ratio5_);
  BunsuuSet(-1, 57121, ratio239_);
  BunsuuSet(16, 5, term5_);
  BunsuuSet(-4, 239, term239_);
  sum_ = BunsuuSub(BunsuuSum(term5_, term239_), BunsuuFromInt(3));
}

const TBunsuu& MachinSum::NextPass() {
  k_ += 2;
  BunsuuMul(term5_, ratio5_, term5_);
  BunsuuMul(term239_, ratio239_, term239_);
  TBunsuu t;
  BunsuuAddReduced(term5_, term239_, t);
  BunsuuDiv(t, BunsuuFromInt(k_), t);
  BunsuuAddReduced(sum_, t, sum_);
  return sum_;
}

void ComputePi(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.PiHeader();
  MachinSum machin;
  SettledDigits settled;
  for (;;) {
    digitString = FractionDigits(machin.NextPass(), settled.NextPosition() + Lookahead);
    settled.Scan(digitString, out);
    if (settled.NextPosition() > decimalPlaces || OverflowFlag) break;
  }
}

void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString) {
  out.EHeader();
  // 1/2! + ... + 1/k!, never reduced: Den is k!.
  TBunsuu sum;
  sum.Num = LongZero;
  sum.Den = LongOne;
  SettledDigits settled;
  FactorialSumDigits text;
  std::int32_t k = 1;
  TLongNum factor;
  for (;;) {
    ++k;
    LongFromInt(k, factor);
    // (Num * k + 1) / (Den * k) adds 1/k! to Num / Den.
    LongMul(sum.Den, factor, sum.Den);
    LongMul(sum.Num, factor, sum.Num);
    LongInc(sum.Num);
    settled.Scan(text.Next(sum, k, settled.NextPosition() + Lookahead), out);
    if (settled.NextPosition() > decimalPlaces || OverflowFlag) break;
  }
  digitString.swap(text.Text());
}

// Both series keep their partial sum as one exact fraction. After every term the fraction is
// expanded five digits past the next digit to print, and a digit is printed once it and the
// digit after it are the same in two consecutive partial sums. π expands each sum afresh; e's
// text follows from the one before.
#include "Series.h"

#include <algorithm>
#include <array>
#include <span>

#include "FactorialSum.h"
#include "FractionDigits.h"
#include "SettledDigits.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

// How far past the next digit to print each partial sum is expanded.
constexpr std::int32_t Lookahead = 5;

// The distinct prime factors of n >= 1, by trial division; an int32 has at most nine.
struct PrimeFactors {
  std::array<std::int32_t, 9> primes;
  std::size_t count = 0;

  explicit PrimeFactors(std::int32_t n) {
    for (std::int32_t p = 2; p <= n / p; ++p) {
      if (n % p != 0) continue;
      primes[count++] = p;
      while (n % p == 0)
        n /= p;
    }
    if (n > 1) primes[count++] = n;
  }
};

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
  // t's denominator divides 5^k * 239^k * k, so those are the only primes the sum's
  // reduction has to look for.
  const PrimeFactors ofK(k_);
  std::array<std::int32_t, 11> primes{5, 239};
  const auto end =
      std::copy_if(ofK.primes.begin(), ofK.primes.begin() + ofK.count, primes.begin() + 2,
                   [](std::int32_t p) { return p != 5 && p != 239; });
  BunsuuAddReduced(sum_, t, std::span(primes.begin(), end), sum_);
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

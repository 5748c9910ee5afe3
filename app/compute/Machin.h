// π - 3 by Machin's formula, 16 arctan(1/5) - 4 arctan(1/239) - 3, summed pass by pass: pass j
// (j = 1, 2, ...) takes the next term of each arctangent, those of 1/5^k and 1/239^k for the odd
// k = MachinOdd(j). Passes are counted by j; k is only ever the terms' own number.
#pragma once

#include <cstdint>

#include "DecimalBounds.h"
#include "ExpansionDecider.h"
#include "SeriesValue.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

// 16/5 - 4/239 - 3 = 219/1195, in lowest terms: the sum before the first pass.
inline constexpr std::uint32_t MachinFirstNum = 219;
inline constexpr std::uint32_t MachinFirstDen = 1195;
// 5^2 and 239^2: each pass divides a series' term by these.
inline constexpr std::uint64_t MachinSquareOf5 = 25, MachinSquareOf239 = 57121;

// The odd k of the terms that pass j takes.
constexpr std::int32_t MachinOdd(std::int32_t pass) {
  return 2 * pass + 1;
}

// The least prime factor of an odd n >= 3.
constexpr std::int32_t LeastOddPrimeFactor(std::int32_t n) {
  for (std::int32_t p = 3; p <= n / p; p += 2) {
    if (n % p == 0) return p;
  }
  return n;
}

// Whether the odd n >= 3 is a prime.
constexpr bool IsOddPrime(std::int32_t n) {
  return LeastOddPrimeFactor(n) == n;
}

// The prime p where the odd k >= 3 is a power of p, else 1: the least common multiple of the
// odd numbers up to k is that up to k - 2 times this.
constexpr std::int32_t OddLcmGrowth(std::int32_t k) {
  const std::int32_t p = LeastOddPrimeFactor(k);
  std::int32_t rest = k;
  while (rest % p == 0)
    rest /= p;
  return rest == 1 ? p : 1;
}

// c arctan(1/x) to words words after the point, for 3 <= x < 2^15 and c arctan(1/x) < 4.
SeriesValue ArctanOfInverse(int words, std::uint64_t c, std::uint64_t x);

// The exact partial sum in lowest terms, as the fraction operations sum it pass by pass, its
// denominator kept factored as 5^a 239^b times a rest.
class MachinExactSum {
 public:
  MachinExactSum();
  // The sum after pass j, for a j not below the last one asked for and at most the saturating
  // pass: that after the pass before, evaluated as a whole if not at hand, plus the terms of j by
  // the fraction operations, which saturate it where it outgrows the capacity.
  const TBunsuu& At(std::int32_t pass);

 private:
  void Evaluate(std::int32_t pass);  // the sum after pass j, as a whole
  void AddPass();                    // adds the terms of the next pass

  std::int32_t pass_ = 0;
  TFactoredBunsuu sum_;
  TLongNum power5_, power239_;  // 5^k and 239^k for the k of pass_
};

// π - 3 as PartialSums sums it: its value, how its sums' common denominator grows, its exact
// sum, and bounds on the tail after the passes taken.
class MachinSeries {
 public:
  using ExactSum = MachinExactSum;
  static constexpr std::uint32_t FirstDen = MachinFirstDen;
  static SeriesValue Value(int words);
  // What pass j adds to the bound on the common denominator: every denominator of that pass
  // divides 5^k 239^k times the least common multiple of the odd numbers up to k.
  static constexpr std::uint64_t DenominatorFactor(std::int32_t pass) {
    return MachinSquareOf5 * MachinSquareOf239 *
           static_cast<std::uint64_t>(OddLcmGrowth(MachinOdd(pass)));
  }

  MachinSeries();
  void NextPass();
  std::int32_t Pass() const { return pass_; }
  TailBounds Tail(std::int32_t count) const;

 private:
  std::int32_t pass_ = 0;
  // 16 / 5^m for the m of the next pass, the lead of the 5-series' terms after the passes taken,
  // and above (5/239)^m / 4 in RatioUnits: the share of it that the 239-series' terms take off.
  DecimalBounds lead5_;
  std::uint64_t share239_;
};

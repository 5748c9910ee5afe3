// TavoLongBunsuu: exact fractions of two TLongNum values.
//
// Sums and differences are brought to the least common multiple of the denominators and then
// reduced; products and quotients cancel crosswise first, so that lowest-terms operands give
// a lowest-terms result. Nothing reports an error: a result that outgrows the capacity
// saturates through TavoLong (OverflowFlag), and a saturated operand gives
// MaxLongNum / MaxLongNum. A zero denominator is not refused: a/0 reduces to 1/0 or -1/0, and
// 0/0 saturates.
//
// Operands are read before the result is written, so the destination may be an operand.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "TavoLong.h"

// Num / Den; the sign lives in Num. A default fraction is 0/1.
struct TBunsuu {
  TLongNum Num;
  TLongNum Den = LongOne;
};

// a := a / g and b := b / g with g = gcd(a, b); then both negated if b is negative.
void BunsuuCancel(TLongNum& a, TLongNum& b);
// f in lowest terms, with a positive denominator.
void BunsuuReduce(TBunsuu& f);
// r := x + y, reduced.
void BunsuuAdd(const TBunsuu& x, const TBunsuu& y, TBunsuu& r);

// A fraction in lowest terms with a positive denominator that is kept factored: Den is the
// product of Primes[i]^Exponents[i] over i, times Rest, where the primes are distinct and Rest
// is prime to each of them. While Factored is false (after a sum that needed the full
// reduction, or saturated), Value alone counts.
struct TFactoredBunsuu {
  TBunsuu Value;
  std::vector<std::int32_t> Primes;
  std::vector<std::int32_t> Exponents;
  TLongNum Rest = LongOne;
  bool Factored = true;
};

// sum := sum + num / den, the same result as BunsuuAdd, saturations included, for a den of
// Primes[i]^exponents[i] (in the order of sum's primes) times rest, where num / den is in
// lowest terms and rest, below 2^31, is prime to the primes. The gcd of the denominators comes
// from the exponents and a word-sized gcd with rest, and the common factor of the new sum is
// looked for among the primes of that gcd alone (Henrici), so no gcd of long numbers is taken.
// A sum that could saturate, or one that is no longer factored, goes through BunsuuAdd.
void BunsuuAddFactored(TFactoredBunsuu& sum, const TLongNum& num,
                       std::span<const std::int32_t> exponents, std::int32_t rest);
// A prime that may divide both parts of a fraction, at most Limit times.
struct TSharedPrime {
  std::int32_t Prime, Limit;
};
// f := r in lowest terms, kept factored, for r.Den = f.Primes[i]^exponents[i] times rest (rest
// prime to those primes, r.Den positive, r's parts below the full width) where r's parts share
// no prime but those of shared, f.Primes first, each at most its Limit times.
void BunsuuReduceFactored(TFactoredBunsuu& f, const TBunsuu& r,
                          std::span<const std::int32_t> exponents, const TLongNum& rest,
                          std::span<const TSharedPrime> shared);
// x + y, reduced.
TBunsuu BunsuuSum(const TBunsuu& x, const TBunsuu& y);
// x - y, reduced.
TBunsuu BunsuuSub(const TBunsuu& x, const TBunsuu& y);
// r := x * y, cancelled crosswise before multiplying.
void BunsuuMul(const TBunsuu& x, const TBunsuu& y, TBunsuu& r);
// r := x / y, cancelled crosswise before multiplying; the divisor's sign moves to the numerator.
void BunsuuDiv(const TBunsuu& x, const TBunsuu& y, TBunsuu& r);
// f := a / b, reduced. a and b lie in -2147483647..2147483647.
void BunsuuSet(std::int32_t a, std::int32_t b, TBunsuu& f);
// a / b, reduced.
TBunsuu BunsuuMake(std::int32_t a, std::int32_t b);
// a / 1.
TBunsuu BunsuuFromInt(std::int32_t a);

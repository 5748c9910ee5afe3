// TavoLongBunsuu: exact fractions of two TLongNum values.
//
// Sums and differences are brought to the least common multiple of the denominators and then
// reduced; products and quotients cancel crosswise first, so that lowest-terms operands give
// a lowest-terms result. Nothing reports an error: a result that outgrows the capacity
// saturates through TavoLong (OverflowFlag), and a saturated operand gives
// MaxLongNum / MaxLongNum. A zero denominator is not refused: a/0 reduces to 1/0 or -1/0, and
// 0/0 saturates.
//
// Operands are read before the result is written, so the destination may be an operand. This is
// the layer's whole set of operations: BunsuuSum, BunsuuSub, BunsuuMul, BunsuuDiv and
// BunsuuFromInt have no caller in the program today, and are kept and tested with the rest.
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

// A prime and how many times it is taken: a factor of a denominator, or how often a prime may
// divide both parts of a fraction.
struct TPrimePower {
  std::int32_t Prime;
  std::int32_t Exponent;
};

// A fraction in lowest terms with a positive denominator that is kept factored: Den is the
// product of the Factors, times Rest, where the primes are distinct and Rest is prime to each of
// them. While Factored is false (after a sum that needed the full reduction, or saturated),
// Value alone counts.
struct TFactoredBunsuu {
  TBunsuu Value;
  std::vector<TPrimePower> Factors;
  TLongNum Rest = LongOne;
  bool Factored = true;
};

// sum := sum + num / den, the same result as BunsuuAdd, saturations included, for a den of
// the factors den (sum's primes, in the order of sum.Factors) times rest, where num / den is in
// lowest terms and rest, below 2^31, is prime to the primes. The gcd of the denominators comes
// from the exponents and a word-sized gcd with rest, and the common factor of the new sum is
// looked for among the primes of that gcd alone (Henrici), so no gcd of long numbers is taken.
// A sum that could saturate, or one that is no longer factored, goes through BunsuuAdd.
void BunsuuAddFactored(TFactoredBunsuu& sum, const TLongNum& num, std::span<const TPrimePower> den,
                       std::int32_t rest);
// f := r in lowest terms, kept factored, for a factored r (r.Value.Den positive, r.Value's parts
// below the full width) whose parts share no prime but those of shared, which lists r's primes
// first, in their order, each with the most times it may divide both parts. f may be r.
void BunsuuReduceFactored(const TFactoredBunsuu& r, std::span<const TPrimePower> shared,
                          TFactoredBunsuu& f);
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

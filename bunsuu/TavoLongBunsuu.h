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
// r := x + y for x and y in lowest terms with positive denominators: the same result as
// BunsuuAdd, saturations included, with less work. The reduction looks for common factors of
// the sum only among those the two denominators share (Henrici's method); for operands not
// in lowest terms the result may not be either.
void BunsuuAddReduced(const TBunsuu& x, const TBunsuu& y, TBunsuu& r);
// The same as BunsuuAddReduced, for a y whose denominator has no prime factor outside
// denominatorPrimes (none of them 0 or 1): the common factors of the sum are then looked for
// among those primes alone, a linear pass each, in place of a gcd.
void BunsuuAddReduced(const TBunsuu& x, const TBunsuu& y,
                      std::span<const std::int32_t> denominatorPrimes, TBunsuu& r);
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

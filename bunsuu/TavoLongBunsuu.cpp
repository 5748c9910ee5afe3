#include "TavoLongBunsuu.h"

#include <cassert>
#include <cstdint>

namespace {

// a := a div g, skipping the division by a gcd of 1 where it cannot change a. It can where a
// is saturated (a negated MaxLongNum comes back positive) or has the full width (a division
// by 1 is then beyond the capacity).
void DivideByGcd(TLongNum& a, const TLongNum& g) {
  if (LongCompare(g, LongOne) == 0 && LongDividesWithinCapacity(a)) return;
  LongDiv(a, g, a);
}

// The common factor gcd(n, g) of n and a divisor g of a number whose prime factors are all
// among primes: each prime is divided out of both for as long as it divides both, a linear pass
// at a time, where a gcd would be quadratic. A prime is first only tested, since it mostly does
// not divide n.
void CommonFactorAmong(const TLongNum& n, const TLongNum& g, std::span<const std::int32_t> primes,
                       TLongNum& common) {
  common = LongOne;
  TLongNum restOfN = n;
  TLongNum restOfG = g;
  TLongNum prime, remainder;
  for (const std::int32_t p : primes) {
    assert(p > 1);
    LongFromInt(p, prime);
    for (;;) {
      LongMod(restOfN, prime, remainder);
      if (!LongIsZero(remainder)) break;
      LongMod(restOfG, prime, remainder);
      if (!LongIsZero(remainder)) break;
      LongDiv(restOfN, prime, restOfN);
      LongDiv(restOfG, prime, restOfG);
      LongMul(common, prime, common);
    }
  }
}

enum class Operands { Any, InLowestTerms };

// The sum (subtract false) or difference of x and y over the least common multiple of their
// denominators, reduced. With operands in lowest terms, denominatorPrimes, when not empty,
// holds every prime factor of y's denominator.
void AddOrSubtract(const TBunsuu& x, const TBunsuu& y, bool subtract, Operands operands,
                   std::span<const std::int32_t> denominatorPrimes, TBunsuu& r) {
  TLongNum g, p, q, xNum, yNum;
  LongGcd(x.Den, y.Den, g);
  p = y.Den;
  DivideByGcd(p, g);
  q = x.Den;
  DivideByGcd(q, g);
  LongMul(x.Num, p, xNum);
  LongMul(y.Num, q, yNum);
  const bool positiveDenominators = LongSign(x.Den) > 0 && LongSign(y.Den) > 0;
  LongMul(x.Den, p, r.Den);
  if (subtract) {
    LongSub(xNum, yNum, r.Num);
  } else {
    LongAdd(xNum, yNum, r.Num);
  }
  // For operands in lowest terms, a factor of the sum's numerator that divides the new
  // denominator divides g. The shortcut must not skip a saturation of the full reduction,
  // which can only come from a saturated value or a gcd of full width.
  const bool henrici = operands == Operands::InLowestTerms && positiveDenominators &&
                       LongDividesWithinCapacity(r.Num) && LongDividesWithinCapacity(r.Den);
  if (!henrici) {
    BunsuuReduce(r);
    return;
  }
  if (LongCompare(g, LongOne) == 0) return;
  TLongNum common;
  if (denominatorPrimes.empty()) {
    LongGcd(r.Num, g, common);
  } else {
    CommonFactorAmong(r.Num, g, denominatorPrimes, common);
  }
  DivideByGcd(r.Num, common);
  DivideByGcd(r.Den, common);
}

}  // namespace

void BunsuuCancel(TLongNum& a, TLongNum& b) {
  TLongNum g;
  LongGcd(a, b, g);
  DivideByGcd(a, g);
  DivideByGcd(b, g);
  if (LongSign(b) < 0) {
    LongNegate(a);
    LongNegate(b);
  }
}

void BunsuuReduce(TBunsuu& f) {
  BunsuuCancel(f.Num, f.Den);
}

void BunsuuAdd(const TBunsuu& x, const TBunsuu& y, TBunsuu& r) {
  AddOrSubtract(x, y, false, Operands::Any, {}, r);
}

void BunsuuAddReduced(const TBunsuu& x, const TBunsuu& y, TBunsuu& r) {
  AddOrSubtract(x, y, false, Operands::InLowestTerms, {}, r);
}

void BunsuuAddReduced(const TBunsuu& x, const TBunsuu& y,
                      std::span<const std::int32_t> denominatorPrimes, TBunsuu& r) {
  AddOrSubtract(x, y, false, Operands::InLowestTerms, denominatorPrimes, r);
}

TBunsuu BunsuuSum(const TBunsuu& x, const TBunsuu& y) {
  TBunsuu r;
  AddOrSubtract(x, y, false, Operands::Any, {}, r);
  return r;
}

TBunsuu BunsuuSub(const TBunsuu& x, const TBunsuu& y) {
  TBunsuu r;
  AddOrSubtract(x, y, true, Operands::Any, {}, r);
  return r;
}

void BunsuuMul(const TBunsuu& x, const TBunsuu& y, TBunsuu& r) {
  TBunsuu a = x;
  TBunsuu b = y;
  BunsuuCancel(a.Num, b.Den);
  BunsuuCancel(b.Num, a.Den);
  LongMul(a.Den, b.Den, r.Den);
  LongMul(a.Num, b.Num, r.Num);
}

// Dividing is multiplying by y turned upside down: the crosswise cancelling then pairs
// x.Num with y.Num, which also moves y's sign into the numerator, and y.Den with x.Den.
void BunsuuDiv(const TBunsuu& x, const TBunsuu& y, TBunsuu& r) {
  const TBunsuu reciprocal{y.Den, y.Num};
  BunsuuMul(x, reciprocal, r);
}

void BunsuuSet(std::int32_t a, std::int32_t b, TBunsuu& f) {
  assert(a != INT32_MIN && b != INT32_MIN);
  LongFromInt(a, f.Num);
  LongFromInt(b, f.Den);
  BunsuuReduce(f);
}

TBunsuu BunsuuMake(std::int32_t a, std::int32_t b) {
  TBunsuu f;
  BunsuuSet(a, b, f);
  return f;
}

TBunsuu BunsuuFromInt(std::int32_t a) {
  return BunsuuMake(a, 1);
}

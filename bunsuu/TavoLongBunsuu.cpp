#include "TavoLongBunsuu.h"

namespace {

// a := a div g, skipping the division by a gcd of 1 where it cannot change a. It can where a
// is saturated (a negated MaxLongNum comes back positive) or has the full width (a division
// by 1 is then beyond the capacity).
void DivideByGcd(TLongNum& a, const TLongNum& g) {
  static const TLongNum fullWidth = [] {
    TLongNum t = LongOne;
    LongShiftLeft(t, 8 * MaxDigits - 1);
    return t;
  }();
  if (LongCompare(g, LongOne) == 0 && !a.Overflowed && LongCompareAbs(a, fullWidth) < 0) return;
  LongDiv(a, g, a);
}

// The sum (subtract false) or difference of x and y over the least common multiple of their
// denominators, reduced.
void AddOrSubtract(const TBunsuu& x, const TBunsuu& y, bool subtract, TBunsuu& r) {
  TLongNum g, p, q, xNum, yNum;
  LongGcd(x.Den, y.Den, g);
  p = y.Den;
  DivideByGcd(p, g);
  q = x.Den;
  DivideByGcd(q, g);
  LongMul(x.Num, p, xNum);
  LongMul(y.Num, q, yNum);
  LongMul(x.Den, p, r.Den);
  if (subtract) {
    LongSub(xNum, yNum, r.Num);
  } else {
    LongAdd(xNum, yNum, r.Num);
  }
  BunsuuReduce(r);
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
  AddOrSubtract(x, y, false, r);
}

TBunsuu BunsuuSum(const TBunsuu& x, const TBunsuu& y) {
  TBunsuu r;
  AddOrSubtract(x, y, false, r);
  return r;
}

TBunsuu BunsuuSub(const TBunsuu& x, const TBunsuu& y) {
  TBunsuu r;
  AddOrSubtract(x, y, true, r);
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

void BunsuuDiv(const TBunsuu& x, const TBunsuu& y, TBunsuu& r) {
  TBunsuu a = x;
  TBunsuu b = y;
  BunsuuCancel(a.Num, b.Num);
  BunsuuCancel(b.Den, a.Den);
  LongMul(a.Den, b.Num, r.Den);
  LongMul(a.Num, b.Den, r.Num);
}

void BunsuuSet(std::int32_t a, std::int32_t b, TBunsuu& f) {
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

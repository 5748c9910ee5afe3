// What each operation of TavoLong should give, computed with GMP: the values come from GMP,
// and the few lines of each model say what becomes of signs, zeros and saturation.
#pragma once

#include <gmpxx.h>

#include "LongGmp.h"
#include "TavoLong.h"

namespace longmodels {

using longtest::Capacity;
using longtest::Magnitude;
using longtest::Record;
using longtest::Value;

// What an operation should leave: the record, and whether it sets OverflowFlag.
struct Outcome {
  TLongNum value;
  bool flag;
};

inline Outcome Saturates() {
  return {MaxLongNum, true};
}
inline Outcome PassesSaturated() {
  return {MaxLongNum, false};
}
inline Outcome Exactly(const TLongNum& value) {
  return {value, false};
}

// A magnitude with the given Sign field, or saturation when it does not fit.
inline Outcome Fits(const mpz_class& magnitude, int sign) {
  if (magnitude >= Capacity()) return Saturates();
  return Exactly(Record(magnitude, sign));
}

inline int SignOf(const mpz_class& v) {
  return sgn(v) < 0 ? -1 : 1;
}
inline int Bits(const mpz_class& m) {
  return m == 0 ? 0 : static_cast<int>(mpz_sizeinbase(m.get_mpz_t(), 2));
}

// The sum of the signed values a and b', where b' is b with Sign bSign.
inline Outcome ModelSignedSum(const TLongNum& a, const TLongNum& b, int bSign) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  const mpz_class sum = Value(a) + (bSign < 0 ? mpz_class(-Magnitude(b)) : Magnitude(b));
  // Two zeros of one Sign keep it; a sum that cancels is LongZero.
  const int zeroSign = a.Sign == bSign ? a.Sign : 1;
  return Fits(abs(sum), sum != 0 ? SignOf(sum) : zeroSign);
}

inline Outcome ModelAdd(const TLongNum& a, const TLongNum& b) {
  return ModelSignedSum(a, b, b.Sign);
}

inline Outcome ModelSub(const TLongNum& a, const TLongNum& b) {
  return ModelSignedSum(a, b, LongIsZero(b) ? b.Sign : -b.Sign);
}

inline Outcome ModelAddAbs(const TLongNum& a, const TLongNum& b) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  return Fits(Magnitude(a) + Magnitude(b), a.Sign);
}

inline Outcome ModelSubAbs(const TLongNum& a, const TLongNum& b) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  const mpz_class d = Magnitude(a) - Magnitude(b);
  return Fits(abs(d), d >= 0 ? a.Sign : -a.Sign);
}

inline Outcome ModelMul(const TLongNum& a, const TLongNum& b) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  if (a.Len + b.Len > MaxDigits + 1) return Saturates();
  if (LongIsZero(a) || LongIsZero(b)) return Exactly(LongZero);
  return Fits(Magnitude(a) * Magnitude(b), a.Sign * b.Sign);
}

// Division is beyond the capacity when the dividend has the full width and the divisor,
// shifted up to the dividend's top bit, is not above it.
inline bool BeyondCapacity(const mpz_class& n, const mpz_class& d) {
  const int bits = Bits(n);
  return bits == 8 * MaxDigits && mpz_class(d << (bits - Bits(d))) <= n;
}

struct DivisionOutcome {
  Outcome q, r;
};

// quotientWanted tells LongMod (false) from LongDiv and LongDivMod, which differ only in
// what a zero divisor does to the remainder.
inline DivisionOutcome ModelDivision(const TLongNum& n, const TLongNum& d, bool quotientWanted) {
  if (n.Overflowed || d.Overflowed) return {PassesSaturated(), PassesSaturated()};
  if (LongIsZero(d)) {
    return {Saturates(), quotientWanted ? Exactly(LongZero) : Saturates()};
  }
  const int qSign = n.Sign * d.Sign;
  const mpz_class mn = Magnitude(n);
  const mpz_class md = Magnitude(d);
  if (mn == md) return {Exactly(Record(1, qSign)), Exactly(LongZero)};
  if (mn < md) return {Exactly(Record(0, qSign)), Exactly(n)};
  if (BeyondCapacity(mn, md)) return {Saturates(), Saturates()};
  return {Exactly(Record(mn / md, qSign)), Exactly(Record(mn % md, n.Sign))};
}

inline Outcome ModelGcd(const TLongNum& a, const TLongNum& b) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  mpz_class large = Magnitude(a);
  mpz_class small = Magnitude(b);
  if (large < small) swap(large, small);
  if (small == 0 || small == large) return Exactly(Record(large, 1));
  if (BeyondCapacity(large, small)) return Saturates();
  return Exactly(Record(gcd(large, small), 1));
}

// The magnitude shifted by a count of bits, or the record unchanged for zero and saturated
// values; right shifts that leave nothing give LongZero.
inline Outcome ModelShift(const TLongNum& a, int bits, bool left) {
  if (LongIsZero(a) || a.Overflowed) return Exactly(a);
  if (left) return Fits(Magnitude(a) << bits, a.Sign);
  if (a.Len <= bits / 8) return Exactly(LongZero);
  return Exactly(Record(Magnitude(a) >> bits, a.Sign));
}

}  // namespace longmodels

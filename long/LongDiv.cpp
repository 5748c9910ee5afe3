// Division with quotient and remainder.
#include "LongRecord.h"
#include "TavoLong.h"

namespace {

// Divides n by d into the records asked for (q, r or both; the others are null). A zero
// divisor saturates the quotient and zeroes the remainder, or saturates the remainder when
// no quotient is asked for.
void Divide(const TLongNum& n, const TLongNum& d, TLongNum* q, TLongNum* r) {
  assert(Normalized(n) && Normalized(d) && (q != r || q == nullptr));
  if (SaturatedOperand(n, d, q, r)) return;
  if (LongIsZero(d)) {
    if (q != nullptr) {
      LongSaturate(*q);
      if (r != nullptr) LongCopy(*r, LongZero);
    } else {
      LongSaturate(*r);
    }
    return;
  }
  // Read everything needed from n and d before a result is written: either may be q or r.
  const auto quotientSign = static_cast<std::int8_t>(n.Sign * d.Sign);
  const std::int8_t remainderSign = n.Sign;
  const int order = LongCompareAbs(n, d);
  if (order <= 0) {
    if (r != nullptr) LongCopy(*r, order == 0 ? LongZero : n);
    if (q != nullptr) {
      LongCopy(*q, order == 0 ? LongOne : LongZero);
      q->Sign = quotientSign;
    }
    return;
  }

  const int nn = UsedWords(n);
  const int nd = UsedWords(d);
  Word quotient[WordSlots];
  Word remainder[WordSlots];
  Word scratch[2 * WordSlots + 2];
  WordsDivRem(quotient, remainder, WordsOf(n), nn, WordsOf(d), nd, scratch);
  const int nq = nn - nd + 1;

  // Beyond the capacity of the division: a dividend of the full width whose divisor, shifted
  // up to the dividend's top bit, is not above it. That is the case exactly when the quotient
  // has one bit more than the difference of the bit lengths.
  const int dividendBits = BitLength(n);
  if (dividendBits == MaxBits) {
    const int qn = WordsTrim(quotient, nq);
    const int quotientBits = WordBits * qn - std::countl_zero(quotient[qn - 1]);
    if (quotientBits == dividendBits - BitLength(d) + 1) {
      if (q != nullptr) LongSaturate(*q);
      if (r != nullptr) LongSaturate(*r);
      return;
    }
  }
  if (r != nullptr) StoreMagnitude(*r, remainder, nd, remainderSign);
  if (q != nullptr) StoreMagnitude(*q, quotient, nq, quotientSign);
}

}  // namespace

void LongDiv(const TLongNum& n, const TLongNum& d, TLongNum& q) {
  Divide(n, d, &q, nullptr);
}

void LongMod(const TLongNum& n, const TLongNum& d, TLongNum& r) {
  Divide(n, d, nullptr, &r);
}

void LongDivMod(const TLongNum& n, const TLongNum& d, TLongNum& q, TLongNum& r) {
  Divide(n, d, &q, &r);
}

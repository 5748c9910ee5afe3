// Division with quotient and remainder, by a record or by a word.
#include <bit>
#include <cassert>
#include <cstdint>

#include "DoubleWord.h"
#include "LongRecord.h"
#include "LongWords.h"
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
  if (QuotientBeyondCapacity(n, WordsOf(d), nd)) {
    if (q != nullptr) LongSaturate(*q);
    if (r != nullptr) LongSaturate(*r);
    return;
  }
  Word quotient[WordSlots];
  Word remainder[WordSlots];
  Word scratch[2 * WordSlots + 2];
  WordsDivRem(quotient, remainder, WordsOf(n), nn, WordsOf(d), nd, scratch);
  const int nq = nn - nd + 1;
  if (r != nullptr) StoreMagnitude(*r, remainder, nd, remainderSign);
  if (q != nullptr) StoreMagnitude(*q, quotient, nq, quotientSign);
}

// Divides n by the word d into q when it is asked for, with the rules of Divide for the
// quotient, and returns |n| mod d (0 for a zero d), a saturated n counting as its digits.
Word DivideByWord(const TLongNum& n, Word d, TLongNum* q) {
  assert(Normalized(n));
  const int nn = UsedWords(n);
  if (d == 0) {
    if (q != nullptr && !SaturatedOperand(n, q)) LongSaturate(*q);
    return 0;
  }
  if (q == nullptr) return WordsDivRemWord(nullptr, WordsOf(n), nn, d);
  if (n.Overflowed || QuotientBeyondCapacity(n, &d, 1)) {
    const Word r = WordsDivRemWord(nullptr, WordsOf(n), nn, d);
    if (!SaturatedOperand(n, q)) LongSaturate(*q);
    return r;
  }
  const std::int8_t sign = n.Sign;
  const int old = UsedWords(*q);
  const Word r = WordsDivRemWord(WordsOf(*q), WordsOf(n), nn, d);
  FinishMagnitude(*q, nn, old, sign);
  return r;
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

std::uint64_t LongDivModWord(const TLongNum& n, std::uint64_t d, TLongNum& q) {
  return DivideByWord(n, d, &q);
}

std::uint64_t LongModWord(const TLongNum& n, std::uint64_t d) {
  assert(d != 0);
  return DivideByWord(n, d, nullptr);
}

void LongDivExactWord(const TLongNum& n, std::uint64_t d, TLongNum& q) {
  assert(Normalized(n) && (d == 0 || LongModWord(n, d) == 0));
  // A saturated dividend, a zero divisor and a quotient beyond the capacity take the rules of
  // the division by a word.
  if (n.Overflowed || d == 0 || QuotientBeyondCapacity(n, &d, 1)) {
    DivideByWord(n, d, &q);
    return;
  }
  // The power of two goes by a shift, the odd part by Hensel's division.
  const int twos = std::countr_zero(d);
  const Word odd = d >> twos;
  const std::int8_t sign = n.Sign;
  const int nn = UsedWords(n);
  const int old = UsedWords(q);
  const Word* from = WordsOf(n);
  Word* dst = WordsOf(q);
  if (twos > 0) {
    WordsShiftRight(dst, from, nn, twos);
    from = dst;
  }
  WordsDivExactOdd(dst, from, nn, odd, WordInverse(odd));
  FinishMagnitude(q, nn, old, sign);
}

// Signed addition and subtraction, built on the two magnitude operations.
#include <cassert>
#include <cstdint>

#include "DoubleWord.h"
#include "LongRecord.h"
#include "LongWords.h"
#include "TavoLong.h"

namespace {

// result := |a| + |b| with the given sign. result may be a or b.
void AddMagnitudes(const TLongNum& a, const TLongNum& b, std::int8_t sign, TLongNum& result) {
  const bool aLonger = UsedWords(a) >= UsedWords(b);
  const TLongNum& longer = aLonger ? a : b;
  const TLongNum& shorter = aLonger ? b : a;
  const int nl = UsedWords(longer);
  const int ns = UsedWords(shorter);
  const int old = UsedWords(result);
  Word* dst = WordsOf(result);
  Word carry = WordsAdd(dst, WordsOf(longer), WordsOf(shorter), ns);
  carry = WordsAddWord(dst + ns, WordsOf(longer) + ns, nl - ns, carry);
  int n = nl;
  // The top word of a value holds at most 48 bits, so a carry never leaves the last word.
  assert(carry == 0 || n < WordSlots);
  if (carry != 0) dst[n++] = carry;
  FinishMagnitude(result, n, old, sign);
}

// result := |larger| - |smaller| with the given sign, for |larger| >= |smaller|. result may be
// either operand.
void SubtractMagnitudes(const TLongNum& larger, const TLongNum& smaller, std::int8_t sign,
                        TLongNum& result) {
  const int nl = UsedWords(larger);
  const int ns = UsedWords(smaller);
  const int old = UsedWords(result);
  Word* dst = WordsOf(result);
  const Word borrow = WordsSub(dst, WordsOf(larger), WordsOf(smaller), ns);
  WordsSubWord(dst + ns, WordsOf(larger) + ns, nl - ns, borrow);
  FinishMagnitude(result, nl, old, sign);
}

// result := a + b', where b' is b with the Sign bSign.
void AddSigned(const TLongNum& a, const TLongNum& b, std::int8_t bSign, TLongNum& result) {
  assert(Normalized(a) && Normalized(b));
  if (SaturatedOperand(a, b, &result)) return;
  if (a.Sign == bSign) {
    AddMagnitudes(a, b, a.Sign, result);
    return;
  }
  switch (LongCompareAbs(a, b)) {
    case -1:
      SubtractMagnitudes(b, a, bSign, result);
      break;
    case 0:
      LongCopy(result, LongZero);
      break;
    default:
      SubtractMagnitudes(a, b, a.Sign, result);
      break;
  }
}

}  // namespace

void LongAdd(const TLongNum& a, const TLongNum& b, TLongNum& result) {
  AddSigned(a, b, b.Sign, result);
}

void LongSub(const TLongNum& a, const TLongNum& b, TLongNum& result) {
  // Negating a zero leaves its Sign as it is.
  const std::int8_t bSign = LongIsZero(b) ? b.Sign : static_cast<std::int8_t>(-b.Sign);
  AddSigned(a, b, bSign, result);
}

void LongInc(TLongNum& a) {
  LongAdd(a, LongOne, a);
}

void LongAddAbs(const TLongNum& a, const TLongNum& b, TLongNum& result) {
  assert(Normalized(a) && Normalized(b));
  if (SaturatedOperand(a, b, &result)) return;
  AddMagnitudes(a, b, a.Sign, result);
}

void LongSubAbs(const TLongNum& a, const TLongNum& b, TLongNum& result) {
  assert(Normalized(a) && Normalized(b));
  if (SaturatedOperand(a, b, &result)) return;
  if (LongCompareAbs(a, b) >= 0) {
    SubtractMagnitudes(a, b, a.Sign, result);
  } else {
    SubtractMagnitudes(b, a, static_cast<std::int8_t>(-a.Sign), result);
  }
}

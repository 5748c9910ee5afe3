// Multiplication.
#include "LongRecord.h"
#include "TavoLong.h"

void LongMul(const TLongNum& a, const TLongNum& b, TLongNum& result) {
  assert(Normalized(a) && Normalized(b));
  if (SaturatedOperand(a, b, &result)) return;
  // Such a product needs at least DigitSlots digits, whatever the digits are.
  if (a.Len + b.Len > DigitSlots) {
    LongSaturate(result);
    return;
  }
  if (LongIsZero(a) || LongIsZero(b)) {
    LongCopy(result, LongZero);
    return;
  }
  const auto sign = static_cast<std::int8_t>(a.Sign * b.Sign);
  const bool aLonger = UsedWords(a) >= UsedWords(b);
  const TLongNum& longer = aLonger ? a : b;
  const TLongNum& shorter = aLonger ? b : a;
  const int nl = UsedWords(longer);
  const int ns = UsedWords(shorter);
  if (ns == 1) {
    // A one-word multiplier works in place, so result may be either operand.
    const Word multiplier = shorter.Digit.Word[0];
    const int old = UsedWords(result);
    Word* dst = WordsOf(result);
    const Word high = WordsMulWord(dst, WordsOf(longer), nl, multiplier);
    int n = nl;
    // The length test above keeps the product within WordSlots words.
    assert(high == 0 || n < WordSlots);
    if (high != 0) dst[n++] = high;
    FinishMagnitude(result, n, old, sign);
    return;
  }
  Word product[2 * WordSlots];
  WordsMul(product, WordsOf(longer), nl, WordsOf(shorter), ns);
  StoreMagnitude(result, product, nl + ns, sign);
}

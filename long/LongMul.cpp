// Multiplication, by a record or by a word.
#include <cassert>
#include <cstdint>

#include "DoubleWord.h"
#include "LongRecord.h"
#include "LongWords.h"
#include "TavoLong.h"

namespace {

// Completes result, whose words [0..n) hold the low words of a product by a word and high its
// high word, with the given sign, saturating; oldWords is what result used before.
void FinishWordProduct(TLongNum& result, int n, int oldWords, Word high, std::int8_t sign) {
  if (high == 0) {
    FinishMagnitude(result, n, oldWords, sign);
  } else if (n == WordSlots) {
    LongSaturate(result);
  } else {
    result.Digit.Word[n] = high;
    FinishMagnitude(result, n + 1, oldWords, sign);
  }
}

// result := |a| * w + c with the given sign, saturating. result may be a.
void MultiplyByWord(const TLongNum& a, Word w, Word c, std::int8_t sign, TLongNum& result) {
  const int n = UsedWords(a);
  const int old = UsedWords(result);
  const Word high = WordsMulWord(WordsOf(result), WordsOf(a), n, w, c);
  FinishWordProduct(result, n, old, high, sign);
}

}  // namespace

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
    MultiplyByWord(longer, shorter.Digit.Word[0], 0, sign, result);
    return;
  }
  Word product[2 * WordSlots];
  WordsMul(product, WordsOf(longer), nl, WordsOf(shorter), ns);
  StoreMagnitude(result, product, nl + ns, sign);
}

void LongMulWord(const TLongNum& a, std::uint64_t w, TLongNum& result) {
  assert(Normalized(a));
  if (SaturatedOperand(a, &result)) return;
  if (LongIsZero(a) || w == 0) {
    LongCopy(result, LongZero);
    return;
  }
  MultiplyByWord(a, w, 0, a.Sign, result);
}

void LongMulAddWord(const TLongNum& a, std::uint64_t w, std::uint64_t c, TLongNum& result) {
  assert(Normalized(a) && LongSign(a) >= 0);
  if (SaturatedOperand(a, &result)) return;
  MultiplyByWord(a, w, c, 1, result);
}

void LongMulWordPair(TLongNum& a, std::uint64_t c, TLongNum& b, std::uint64_t w) {
  assert(Normalized(a) && Normalized(b) && &a != &b && LongSign(a) >= 0 && LongSign(b) >= 0);
  if (a.Overflowed || b.Overflowed) {
    LongMulAddWord(a, w, c, a);
    LongMulWord(b, w, b);
    return;
  }
  // The shorter's words above its length are zero: one sweep serves both.
  const int na = UsedWords(a), nb = UsedWords(b), n = na > nb ? na : nb;
  Word high[] = {c, 0};
  WordsMulWordPair(WordsOf(a), WordsOf(b), n, w, high);
  FinishWordProduct(a, n, na, high[0], 1);
  FinishWordProduct(b, n, nb, high[1], 1);
}

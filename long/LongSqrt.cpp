// The longhand square-root step on words: the digit is estimated from the leading words of
// the remainder and of twice the root, and the remainder loses d * (2 * root + d) in one pass.
// The estimate is never too small; one that is too large is mended by adding back.
#include <algorithm>

#include "LongRecord.h"
#include "TavoLong.h"

namespace {

constexpr TLongNum Hundred = tavo_long_detail::SmallConstant(100, 1);

// Word i of a's magnitude shifted left by s bits (0 <= s < 64), zero beyond the storage.
Word ShiftedWord(const TLongNum& a, int i, int s) {
  const Word* w = WordsOf(a);
  const Word hi = i < WordSlots ? w[i] : 0;
  if (s == 0) return hi;
  const Word lo = i > 0 && i - 1 < WordSlots ? w[i - 1] : 0;
  return (hi << s) | (lo >> (WordBits - s));
}

// An estimate of floor(rem / (2 * root)) from the leading bits: with R and X the leading
// words of root and rem as reals, 2qR <= X gives 2q floor(R) <= floor(X), so the estimate is
// never below the true quotient, and it is above it only when rem / (2 root) lies within
// about 2^-59 below an integer. Below 32 when the step's precondition holds; root is not zero.
Word EstimateDigit(const TLongNum& root, const TLongNum& rem) {
  const int n = UsedWords(root);
  const int s = std::countl_zero(WordsOf(root)[n - 1]);
  // Shifted so that root's top word has its top bit set; rem < 32 * root then reaches at
  // most one word higher.
  const Word rootTop = ShiftedWord(root, n - 1, s);
  const DoubleWord remTop =
      (DoubleWord{ShiftedWord(rem, n, s)} << WordBits) | ShiftedWord(rem, n - 1, s);
  return static_cast<Word>(remTop / (DoubleWord{rootTop} << 1));
}

// rem := rem - (2 * root * m + c) over n words, or plus when adding. Returns the carry or
// borrow out of the top word: a subtraction that goes below zero leaves the difference
// wrapped around 2^(64 n) and returns 1, and the addition that brings it back returns 1.
// (Twice the root and the small c are folded into the one pass.)
Word AdjustRemainder(TLongNum& rem, const TLongNum& root, Word m, Word c, bool adding, int n) {
  Word* x = WordsOf(rem);
  const Word* r = WordsOf(root);
  const int nr = UsedWords(root);
  if (adding) {
    const Word out = WordsAddWord(x + nr, x + nr, n - nr, WordsAddMulWord(x, r, nr, 2 * m));
    return out + WordsAddWord(x, x, n, c);
  }
  const Word out = WordsSubWord(x + nr, x + nr, n - nr, WordsSubMulWord(x, r, nr, 2 * m));
  return out + WordsSubWord(x, x, n, c);
}

// rem <= 2 * root, without forming 2 * root, which need not fit.
[[maybe_unused]] bool WithinTwiceRoot(const TLongNum& root, const TLongNum& rem) {
  if (LongCompareAbs(rem, root) <= 0) return true;
  TLongNum excess;
  LongSubAbs(rem, root, excess);
  return LongCompareAbs(excess, root) <= 0;
}

}  // namespace

int LongSqrtStep(TLongNum& root, TLongNum& rem) {
  assert(!root.Overflowed && !rem.Overflowed && LongSign(root) >= 0 && LongSign(rem) >= 0 &&
         WithinTwiceRoot(root, rem));
  LongMul(root, LongTen, root);
  LongMul(rem, Hundred, rem);
  if (root.Overflowed || rem.Overflowed) return -1;
  // root * 10 has the full width, so 2 * root * 10 outgrows the capacity. That product is
  // never formed; its saturation shows only in the flag, as LongMul would set it.
  if (BitLength(root) == MaxBits) {
    OverflowFlag = true;
    return -1;
  }

  // The remainder is below 32 * root, so it needs at most one word more than root.
  const int n = std::min(std::max(UsedWords(rem), UsedWords(root) + 1), WordSlots);
  const int old = UsedWords(rem);
  Word d = LongIsZero(root) ? 9 : std::min<Word>(EstimateDigit(root, rem), 9);
  // rem - d * (2 root + d). A digit too large (the estimate is never too small) leaves it
  // below zero: step down, adding back 2 root + 2d - 1 each time, until the addition carries
  // it back.
  if (AdjustRemainder(rem, root, d, d * d, false, n) != 0) {
    do {
      --d;
    } while (AdjustRemainder(rem, root, 1, 2 * d + 1, true, n) == 0);
  }
  FinishMagnitude(rem, n, old, 1);
  // root + d in place. root * 10 has less than the full width, so a carry into a new word
  // stays within the storage.
  const int nr = UsedWords(root);
  const Word carry = WordsAddWord(WordsOf(root), WordsOf(root), nr, d);
  assert(carry == 0 || nr < WordSlots);
  if (carry != 0) root.Digit.Word[nr] = carry;
  FinishMagnitude(root, nr + (carry != 0 ? 1 : 0), nr, 1);
  return static_cast<int>(d);
}

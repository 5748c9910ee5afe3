// The longhand square root on words: a digit, or a block of as many digits as a word holds,
// is estimated from the leading words of the remainder and of twice the root. The remainder
// loses twice the root times the estimate, then the estimate's square; the estimate is never
// too small, and one that is too large is mended by adding back.
#include <algorithm>
#include <bit>
#include <cassert>

#include "DoubleWord.h"
#include "LongRecord.h"
#include "LongWords.h"
#include "TavoLong.h"

namespace {

// rem <= 2 * root, without forming 2 * root, which need not fit.
[[maybe_unused]] bool WithinTwiceRoot(const TLongNum& root, const TLongNum& rem) {
  if (LongCompareAbs(rem, root) <= 0) return true;
  TLongNum excess;
  LongSubAbs(rem, root, excess);
  return LongCompareAbs(excess, root) <= 0;
}

// How many of count steps, up to LongSqrtBlockDigits, one block can take from root; 0 where the
// root is too short or too near the capacity. Its root has at least 64 bits, which keeps the
// estimate of the block within five of the truth (see EstimateDigit). And it lies far below the
// capacity: with p = 10^m of b bits, rem p^2, the largest value of the block, and the root's share
// of it, 2 root p d, are below 2^(bits + 2b + 2), and every product of the m single steps the block
// stands for (root * 10, rem * 100, twice root * 10, at most 20 (root + 1) p) is smaller still.
// Below 2^(MaxBits - 6) none of them saturates.
int BlockDigits(const TLongNum& root, int count) {
  const int bits = BitLength(root);
  if (bits < WordBits) return 0;
  int m = std::min(count, LongSqrtBlockDigits);
  while (m > 0 && bits + 2 * static_cast<int>(std::bit_width(PowerOfTen(m))) + 2 > MaxBits - 6)
    --m;
  return m;
}

// An estimate, never too small, of the digit D that a step or a block takes, where D is at most
// limit and at most x p / 2a for the x[0..n), a and p that the caller gives: a is not zero,
// x <= 2a and x p / 2a < 2^64. With V the top 64 bits of 2a, cut at bit e, and X + 1 above
// x p / 2^e, x p / 2a < (X + 1) / V, so the estimate (X + 1) div V is at least x p div 2a,
// which is at least D. X comes from Y = x div 2^(e - 64), below 2^128 since x <= 2a:
// x p / 2^e < Y p / 2^64 + 1. The estimate exceeds x p div 2a by at most 4 (the cut costs less
// than x p / (2^e V^2) + 2 / V, and x p / 2^e < 2^128 <= 4 V^2), and in a block, where 2a >= p,
// x p div 2a exceeds D by at most 1, so the estimate is at most five too large.
Word EstimateDigit(const TLongNum& a, const Word* x, int n, Word p, Word limit) {
  // 2a has bits + 1 bits; its top 64 start at bit e.
  const int e = BitLength(a) + 1 - WordBits;
  const Word v = WordsWindow(WordsOf(a), UsedWords(a), e - 1);
  const DoubleWord y = WordsDoubleWindow(x, n, e - WordBits);
  const DoubleWord top = (y >> WordBits) * p + (DoubleWord{static_cast<Word>(y)} * p >> WordBits);
  const DoubleWord estimate = (top + 2) / v;
  return estimate <= limit ? static_cast<Word>(estimate) : limit;
}

// x[0..n) -= a[0..na) m for na <= n; returns the borrow out of x's top, non-zero exactly when
// a m is the larger. x and a do not overlap.
Word SubtractTimesA(Word* x, int n, const Word* a, int na, Word m) {
  return WordsSubWord(x + na, x + na, n - na, WordsSubMulWord(x, a, na, m));
}

// Scales a block's remainder and root by p and takes a multiple of the new root off the
// remainder, in one loop over the words: a[0..na) := a p, in place, where a's top word is zero,
// and x[0..n) := x p^2 - a m. x's words from its length up are zero, x p^2 and a m fit n words,
// n >= na; returns the borrow out of x's top, non-zero exactly when a m is the larger. x and a
// do not overlap.
Word ScaleAndSubtractTimesA(Word* x, int n, Word* a, int na, Word p, Word m) {
  // u v + carry, whose high word becomes the carry; the sum in words, which compilers keep in
  // registers better than a double word.
  const auto multiplyAdd = [](Word u, Word v, Word& carry) {
    const DoubleWord t = DoubleWord{u} * v;
    const Word low = static_cast<Word>(t) + carry;
    carry = static_cast<Word>(t >> WordBits) + (low < carry ? 1 : 0);
    return low;
  };
  Word once = 0, twice = 0, scaled = 0, take = 0, borrow = 0;
  for (int i = 0; i < na; ++i) {
    const Word w = multiplyAdd(multiplyAdd(x[i], p, once), p, twice);
    a[i] = multiplyAdd(a[i], p, scaled);
    const Word t = multiplyAdd(a[i], m, take);
    x[i] = w - t - borrow;
    borrow = (w < t) | (w - t < borrow);
  }
  for (int i = na; i < n; ++i)
    x[i] = multiplyAdd(multiplyAdd(x[i], p, once), p, twice);
  // take, the carry of the products by m, stays below m: adding the borrow cannot overflow it.
  return WordsSubWord(x + na, x + na, n - na, take + borrow);
}

// x[0..n) := X - (2a + d) d, where X is the x from which 2 a d has just been taken, borrow being
// non-zero exactly when that went below zero; then, while x is below zero, steps d down, adding
// back, to the largest digit that leaves it non-negative, and returns that digit. d is at least
// that digit, na <= n, and X - (2a + d) d lies above -2^(64 n), so that a borrow out of the top
// tells a difference below zero. x and a do not overlap.
Word SubtractSquareAndMend(Word* x, int n, const Word* a, int na, Word d, Word borrow) {
  const DoubleWord square = DoubleWord{d} * d;
  borrow += WordsSubWord(x, x, n, static_cast<Word>(square));
  borrow += WordsSubWord(x + 1, x + 1, n - 1, static_cast<Word>(square >> WordBits));
  if (borrow == 0) return d;
  // A d too large leaves x below zero, wrapped around 2^(64 n): step down, adding back
  // 2a + 2d + 1 for the new d each time, until the addition carries it back.
  Word carry = 0;
  do {
    --d;
    carry = WordsAddWord(x + na, x + na, n - na, WordsAddMulWord(x, a, na, 2));
    carry += WordsAddWord(x, x, n, d + 1);
    carry += WordsAddWord(x, x, n, d);
  } while (carry == 0);
  return d;
}

// Takes m digits as one block: root := root p + D and rem := rem p^2 - (2 root p + D) D with
// p = 10^m, for the largest D that leaves rem non-negative; returns D. m <= BlockDigits(root).
Word TakeBlock(TLongNum& root, TLongNum& rem, int m) {
  const Word p = PowerOfTen(m);
  Word* x = WordsOf(rem);
  Word* r = WordsOf(root);
  const int old = UsedWords(rem), oldRoot = UsedWords(root);
  // rem p / 2 root is the quotient of the block, before root and rem take their p.
  const Word estimate = EstimateDigit(root, x, old, p, p - 1);
  // The words of a = root p, and those that rem p^2 and a p need (see BlockDigits).
  const int bits = BitLength(root), pBits = static_cast<int>(std::bit_width(p));
  const int na = (bits + pBits + WordBits - 1) / WordBits;
  const int n = (bits + 2 * pBits + 2 + WordBits - 1) / WordBits;
  // rem p^2 loses 2 a e, e the estimate: a 2e in the loop where 2e fits a word, else a e twice.
  const bool twiceFits = estimate >> (WordBits - 1) == 0;
  Word borrow = ScaleAndSubtractTimesA(x, n, r, na, p, twiceFits ? 2 * estimate : estimate);
  if (!twiceFits) borrow += SubtractTimesA(x, n, r, na, estimate);
  const Word d = SubtractSquareAndMend(x, n, r, na, estimate, borrow);
  FinishMagnitude(rem, n, old, 1);
  // a + d < (root + 1) p carries nothing out of a's words.
  WordsAddWord(r, r, na, d);
  FinishMagnitude(root, na, oldRoot, 1);
  return d;
}

}  // namespace

int LongSqrtStep(TLongNum& root, TLongNum& rem) {
  assert(!root.Overflowed && !rem.Overflowed && LongSign(root) >= 0 && LongSign(rem) >= 0 &&
         WithinTwiceRoot(root, rem));
  LongMulWord(root, 10, root);
  // The estimate reads the remainder before its 100.
  const Word estimate = root.Overflowed || LongIsZero(root)
                            ? 9
                            : EstimateDigit(root, WordsOf(rem), UsedWords(rem), 100, 9);
  LongMulWord(rem, 100, rem);
  if (root.Overflowed || rem.Overflowed) return -1;
  // root * 10 has the full width, so 2 * root * 10 outgrows the capacity. No record holds that
  // product, so its saturation shows only in the flag.
  if (BitLength(root) == MaxBits) {
    NoteSaturation();
    return -1;
  }

  // The remainder is below 32 * root, so it needs at most one word more than root.
  const int n = std::min(std::max(UsedWords(rem), UsedWords(root) + 1), WordSlots);
  const int old = UsedWords(rem), nr = UsedWords(root);
  const Word borrow = SubtractTimesA(WordsOf(rem), n, WordsOf(root), nr, 2 * estimate);
  const Word d = SubtractSquareAndMend(WordsOf(rem), n, WordsOf(root), nr, estimate, borrow);
  FinishMagnitude(rem, n, old, 1);
  // root + d in place. root * 10 has less than the full width, so a carry into a new word
  // stays within the storage.
  const Word carry = WordsAddWord(WordsOf(root), WordsOf(root), nr, d);
  assert(carry == 0 || nr < WordSlots);
  if (carry != 0) root.Digit.Word[nr] = carry;
  FinishMagnitude(root, nr + (carry != 0 ? 1 : 0), nr, 1);
  return static_cast<int>(d);
}

int LongSqrtDigits(TLongNum& root, TLongNum& rem, int count, char* digits) {
  assert(count >= 1);
  const int m = BlockDigits(root, count);
  if (m == 0) {
    const int d = LongSqrtStep(root, rem);
    if (d < 0) return 0;
    digits[0] = static_cast<char>('0' + d);
    return 1;
  }
  assert(!rem.Overflowed && LongSign(rem) >= 0 && WithinTwiceRoot(root, rem));
  WriteDecimalWord(TakeBlock(root, rem, m), m, digits);
  return m;
}

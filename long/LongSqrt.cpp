// The longhand square root on words: a digit, or a block of as many digits as a word holds,
// is estimated from the leading words of the remainder and of twice the root, and the
// remainder loses d * (2 * root + d) in one pass. The estimate is never too small; one that is
// too large is mended by adding back.
#include <algorithm>
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

// Whether a block of up to LongSqrtPassDigits steps can go in one pass from root. Its root has at
// least 64 bits, which keeps the estimate of the block within four of the truth (see
// EstimateDigit). And it lies far below the capacity: with P = 10^m <= 2^64, rem * P^2, the
// largest value of the pass, is at most 2 root P^2 < 2^(bits + 129), and every product of the
// m single steps the block stands for (root * 10, rem * 100, twice root * 10, at most
// 20 (root + 1) P) is smaller still. Below 2^(MaxBits - 7) none of them saturates.
bool BlockFits(const TLongNum& root) {
  const int bits = BitLength(root);
  return bits >= WordBits && bits + 2 * WordBits + 8 <= MaxBits;
}

// An estimate, never too small, of the digit D that a step or a block takes, where D is at most
// limit and at most x / 2a, for x[0..n) and a as the pass scales them; a is not zero and
// x / 2a < 2^64. With V and X the top 64 bits of 2a and the same bits of x (both cut at bit e),
// x / 2a < (X + 1) / V, so the estimate (X + 1) div V is at least x div 2a, which is at least
// D. It exceeds x div 2a by less than 3 (the cut costs at most x / (2a V) + 1 / V, below 2 + 1
// for V >= 2^63), and in a block, where 2a >= p, x div 2a exceeds D by at most 1, so the
// estimate is at most four too large.
Word EstimateDigit(const TLongNum& a, const Word* x, int n, Word limit) {
  // 2a has bits + 1 bits; its top 64 start at bit e.
  const int e = BitLength(a) + 1 - WordBits;
  const Word v = WordsWindow(WordsOf(a), UsedWords(a), e - 1);
  // x < 2a 2^64 < (V + 1) 2^(e + 64), so X + 1 < 2^128.
  const DoubleWord estimate = (WordsDoubleWindow(x, n, e) + 1) / v;
  return estimate <= limit ? static_cast<Word>(estimate) : limit;
}

// x := x - (2a + d) d over the n words of x, for the largest d not above the estimate that
// leaves x non-negative; returns that d. The estimate is never too small, na <= n, and
// x - (2a + estimate) estimate lies above -2^(64 n), so that the borrow out of the top tells a
// difference below zero. x and a do not overlap.
Word SubtractLargestDigit(Word* x, int n, const Word* a, int na, Word estimate) {
  Word d = estimate;
  // 2d a in one pass where 2d fits in a word, else in two; then d^2.
  const auto subtractTimesA = [&](Word multiplier) {
    return WordsSubWord(x + na, x + na, n - na, WordsSubMulWord(x, a, na, multiplier));
  };
  const DoubleWord square = DoubleWord{d} * d;
  Word borrow =
      d >> (WordBits - 1) == 0 ? subtractTimesA(2 * d) : subtractTimesA(d) + subtractTimesA(d);
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

// Takes m digits in one pass: root := root p + D and rem := rem p^2 - (2 root p + D) D with
// p = 10^m, for the largest D that leaves rem non-negative; returns D. BlockFits(root) holds.
Word TakeBlock(TLongNum& root, TLongNum& rem, int m) {
  const Word p = PowerOfTen(m);
  Word* x = WordsOf(rem);
  Word* r = WordsOf(root);
  const int old = UsedWords(rem);
  int n = old;
  x[n] = WordsMulWord(x, x, n, p);
  ++n;
  // rem p / 2 root is the quotient of the pass, before root and rem take their second p.
  const Word estimate = EstimateDigit(root, x, n, p - 1);
  x[n] = WordsMulWord(x, x, n, p);
  ++n;
  // a = root p, one word longer than root.
  const int oldRoot = UsedWords(root);
  const int na = oldRoot + 1;
  r[oldRoot] = WordsMulWord(r, r, oldRoot, p);
  n = std::max(n, na + 1);
  const Word d = SubtractLargestDigit(x, n, r, na, estimate);
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
  LongMulWord(rem, 100, rem);
  if (root.Overflowed || rem.Overflowed) return -1;
  // root * 10 has the full width, so 2 * root * 10 outgrows the capacity. That product would
  // be a record of its own, so its saturation shows only in the flag.
  if (BitLength(root) == MaxBits) {
    TLongNum twice;
    LongSaturate(twice);
    return -1;
  }

  // The remainder is below 32 * root, so it needs at most one word more than root.
  const int n = std::min(std::max(UsedWords(rem), UsedWords(root) + 1), WordSlots);
  const int old = UsedWords(rem);
  const Word estimate = LongIsZero(root) ? 9 : EstimateDigit(root, WordsOf(rem), old, 9);
  const Word d = SubtractLargestDigit(WordsOf(rem), n, WordsOf(root), UsedWords(root), estimate);
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

int LongSqrtDigits(TLongNum& root, TLongNum& rem, int count, char* digits) {
  assert(count >= 1);
  if (!BlockFits(root)) {
    const int d = LongSqrtStep(root, rem);
    if (d < 0) return 0;
    digits[0] = static_cast<char>('0' + d);
    return 1;
  }
  assert(!rem.Overflowed && LongSign(rem) >= 0 && WithinTwiceRoot(root, rem));
  const int m = std::min(count, LongSqrtPassDigits);
  WriteDecimalWord(TakeBlock(root, rem, m), m, digits);
  return m;
}

// The longhand square root on words: a digit, or a block of as many digits as a word holds,
// is estimated from the leading words of the remainder and of twice the root, and the
// remainder loses d * (2 * root + d) in one pass. The estimate is never too small; one that is
// too large is mended by adding back.
#include <algorithm>
#include <bit>
#include <cassert>

#include "DoubleWord.h"
#include "LongRecord.h"
#include "LongWords.h"
#include "TavoLong.h"

namespace {

// An estimate of floor(rem / (2 * root)) from the leading bits: with R and X the leading
// words of root and rem as reals, 2qR <= X gives 2q floor(R) <= floor(X), so the estimate is
// never below the true quotient, and it is above it only when rem / (2 root) lies within
// about 2^-59 below an integer. Below 32 when the step's precondition holds; root is not zero.
Word EstimateDigit(const TLongNum& root, const TLongNum& rem) {
  const int n = UsedWords(root);
  const int s = std::countl_zero(WordsOf(root)[n - 1]);
  // Shifted so that root's top word has its top bit set; rem < 32 * root then reaches at
  // most one word higher.
  const int bit = WordBits * (n - 1) - s;
  const Word rootTop = WordsWindow(WordsOf(root), n, bit);
  const DoubleWord remTop = DoubleWord{WordsWindow(WordsOf(rem), UsedWords(rem), bit + WordBits)}
                                << WordBits |
                            WordsWindow(WordsOf(rem), UsedWords(rem), bit);
  return static_cast<Word>(remTop / (DoubleWord{rootTop} << 1));
}

// rem := rem - (2 * root * m + c) over n words, in one pass (twice the root and the small c
// folded in). Returns the borrow out of the top word: a difference below zero is left wrapped
// around 2^(64 n), and the result is 1.
Word SubtractFromRemainder(TLongNum& rem, const TLongNum& root, Word m, Word c, int n) {
  Word* x = WordsOf(rem);
  const int nr = UsedWords(root);
  const Word out =
      WordsSubWord(x + nr, x + nr, n - nr, WordsSubMulWord(x, WordsOf(root), nr, 2 * m));
  return out + WordsSubWord(x, x, n, c);
}

// rem := rem + 2 * root * m + c over n words, the inverse of SubtractFromRemainder. Returns the
// carry out of the top word: 1 when it brings a wrapped difference back above zero.
Word AddToRemainder(TLongNum& rem, const TLongNum& root, Word m, Word c, int n) {
  Word* x = WordsOf(rem);
  const int nr = UsedWords(root);
  const Word out =
      WordsAddWord(x + nr, x + nr, n - nr, WordsAddMulWord(x, WordsOf(root), nr, 2 * m));
  return out + WordsAddWord(x, x, n, c);
}

// rem <= 2 * root, without forming 2 * root, which need not fit.
[[maybe_unused]] bool WithinTwiceRoot(const TLongNum& root, const TLongNum& rem) {
  if (LongCompareAbs(rem, root) <= 0) return true;
  TLongNum excess;
  LongSubAbs(rem, root, excess);
  return LongCompareAbs(excess, root) <= 0;
}

// Whether a block of up to LongSqrtPassDigits steps can go in one pass from root. Its root has at
// least 64 bits, which keeps the estimate of the block within four of the truth (see
// EstimateBlock). And it lies far below the capacity: with P = 10^m <= 2^64, rem * P^2, the
// largest value of the pass, is at most 2 root P^2 < 2^(bits + 129), and every product of the
// m single steps the block stands for (root * 10, rem * 100, twice root * 10, at most
// 20 (root + 1) P) is smaller still. Below 2^(MaxBits - 7) none of them saturates.
bool BlockFits(const TLongNum& root) {
  const int bits = BitLength(root);
  return bits >= WordBits && bits + 2 * WordBits + 8 <= MaxBits;
}

// An estimate, never too small, of the block D that one pass of m = log10(p) steps takes: the
// largest D with (2 root p + D) D <= rem p^2, given remP = rem * p in words x[0..n). With
// V and X the top 64 bits of 2 root and the same bits of remP (both cut at bit e), remP / 2root
// < (X + 1) / V, so the estimate (X + 1) div V is at least remP div 2root, which is at least D.
// It exceeds remP div 2root by less than 3 (the cut costs at most remP / (2 root V) + 1 / V,
// below 2 + 1 for V >= 2^63), and remP div 2root exceeds D by at most 1 when 2 root >= p,
// so the estimate is at most four too large.
Word EstimateBlock(const TLongNum& root, const Word* x, int n, Word p) {
  // 2 root has bits + 1 bits; its top 64 start at bit e.
  const int e = BitLength(root) + 1 - WordBits;
  const Word v = WordsWindow(WordsOf(root), UsedWords(root), e - 1);
  // remP < 2 root p < (V + 1) 2^e p, so X < (V + 1) p < 2^128 - 1.
  const DoubleWord top =
      DoubleWord{WordsWindow(x, n, e + WordBits)} << WordBits | WordsWindow(x, n, e);
  const DoubleWord estimate = (top + 1) / v;
  return estimate < p ? static_cast<Word>(estimate) : p - 1;
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
  Word d = EstimateBlock(root, x, n, p);
  x[n] = WordsMulWord(x, x, n, p);
  ++n;
  // a = root p, one word longer than root.
  const int oldRoot = UsedWords(root);
  const int na = oldRoot + 1;
  r[oldRoot] = WordsMulWord(r, r, oldRoot, p);
  n = std::max(n, na + 1);
  // rem - (2a + d) d, as 2d a, in one pass where 2d fits in a word, and then d^2. A d too
  // large (the estimate is never too small) leaves it below zero, wrapped around 2^(64 n):
  // step down, adding back 2a + 2d - 1 each time, until the addition carries it back.
  const auto subtractTimesA = [&](Word multiplier) {
    return WordsSubWord(x + na, x + na, n - na, WordsSubMulWord(x, r, na, multiplier));
  };
  const DoubleWord square = DoubleWord{d} * d;
  Word borrow =
      d >> (WordBits - 1) == 0 ? subtractTimesA(2 * d) : subtractTimesA(d) + subtractTimesA(d);
  borrow += WordsSubWord(x, x, n, static_cast<Word>(square));
  borrow += WordsSubWord(x + 1, x + 1, n - 1, static_cast<Word>(square >> WordBits));
  if (borrow != 0) {
    Word carry = 0;
    do {
      --d;
      carry = WordsAddWord(x + na, x + na, n - na, WordsAddMulWord(x, r, na, 2));
      carry += WordsAddWord(x, x, n, d + 1);
      carry += WordsAddWord(x, x, n, d);
    } while (carry == 0);
  }
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
  Word d = LongIsZero(root) ? 9 : std::min<Word>(EstimateDigit(root, rem), 9);
  // rem - d * (2 root + d). A digit too large (the estimate is never too small) leaves it
  // below zero: step down, adding back 2 root + 2d - 1 each time, until the addition carries
  // it back.
  if (SubtractFromRemainder(rem, root, d, d * d, n) != 0) {
    do {
      --d;
    } while (AddToRemainder(rem, root, 1, 2 * d + 1, n) == 0);
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

// Word kernels: arithmetic on bare runs of 64-bit words, least significant first. They know
// nothing of signs, lengths in digits or saturation; the record operations of TavoLong own
// those. A run is a pointer and a word count; unless a contract says
// otherwise, a destination may coincide with a source (the same start), but must not overlap
// it in any other way.
#pragma once

#include <cassert>

#include "DoubleWord.h"

// -1, 0 or +1 as a[0..n) is below, equal to or above b[0..n); compares from the top.
int WordsCompare(const Word* a, const Word* b, int n);
// n less the zero words at the top of a[0..n); 0 when all of them are zero.
int WordsTrim(const Word* a, int n);

// dst[0..n) = a[0..n) + b[0..n); returns the carry out (0 or 1).
Word WordsAdd(Word* dst, const Word* a, const Word* b, int n);
// dst[0..n) = a[0..n) + w; returns the carry out (0 or 1; w itself when n is 0).
Word WordsAddWord(Word* dst, const Word* a, int n, Word w);
// dst[0..n) = a[0..n) - b[0..n); returns the borrow out (0 or 1).
Word WordsSub(Word* dst, const Word* a, const Word* b, int n);
// dst[0..n) = a[0..n) - w; returns the borrow out (0 or 1; w itself when n is 0).
Word WordsSubWord(Word* dst, const Word* a, int n, Word w);

// dst[0..n) = a[0..n) * w + c; returns the high word of the result.
Word WordsMulWord(Word* dst, const Word* a, int n, Word w, Word c = 0);
// a[0..n) := a[0..n) * w + carry[0] and b[0..n) := b[0..n) * w + carry[1], in place and in one
// loop; carry[0] and carry[1] become the high words. a and b do not overlap.
void WordsMulWordPair(Word* a, Word* b, int n, Word w, Word (&carry)[2]);
// dst[0..n) += a[0..n) * w; returns the carry word. dst must not overlap a.
Word WordsAddMulWord(Word* dst, const Word* a, int n, Word w);
// dst[0..n) -= a[0..n) * w; returns the borrow word. dst must not overlap a.
Word WordsSubMulWord(Word* dst, const Word* a, int n, Word w);
// dst[0..na+nb) = a[0..na) * b[0..nb), na >= nb >= 1. dst overlaps neither operand.
void WordsMul(Word* dst, const Word* a, int na, const Word* b, int nb);

// The 64 bits of a[0..n) from bit `bit` up: floor(a / 2^bit) mod 2^64, where bits outside the
// run count as zero, so that bit may be negative or reach past the top.
Word WordsWindow(const Word* a, int n, int bit);
// The 128 bits of a[0..n) from bit `bit` up, the same way: floor(a / 2^bit) mod 2^128.
inline DoubleWord WordsDoubleWindow(const Word* a, int n, int bit) {
  return DoubleWord{WordsWindow(a, n, bit + WordBits)} << WordBits | WordsWindow(a, n, bit);
}

// dst[0..n) = a[0..n) << s for n >= 1 and 0 < s < 64; returns the bits shifted out at the top, in
// the low bits of the word. Works from the top down, so dst may also lie above a.
Word WordsShiftLeft(Word* dst, const Word* a, int n, int s);
// dst[0..n) = a[0..n) >> s for n >= 1 and 0 < s < 64; returns the bits shifted out at the bottom,
// in the high bits of the word. Works from the bottom up, so dst may also lie below a.
Word WordsShiftRight(Word* dst, const Word* a, int n, int s);

// floor((B^2 - 1) / d) - B for B = 2^64, the reciprocal that DivideTwoByOne uses. d must have
// its top bit set.
Word WordReciprocal(Word d);
// The quotient of (hi * B + lo) by d, with the remainder in rem. d has its top bit set,
// dInverse = WordReciprocal(d), and hi < d so that the quotient fits in a word. Division by an
// invariant word through its reciprocal (Moller and Granlund, "Improved division by invariant
// integers", IEEE Trans. Computers 60, 2011); inline, since the loops of the divisions turn on
// it.
inline Word DivideTwoByOne(Word& rem, Word hi, Word lo, Word d, Word dInverse) {
  assert(d >> (WordBits - 1) == 1 && hi < d);
  const DoubleWord p = DoubleWord{hi} * dInverse + ((DoubleWord{hi} << WordBits) | lo);
  Word q = static_cast<Word>(p >> WordBits) + 1;
  const Word q0 = static_cast<Word>(p);
  Word r = lo - q * d;
  if (r > q0) {
    --q;
    r += d;
  }
  if (r >= d) {
    ++q;
    r -= d;
  }
  rem = r;
  return q;
}

// q[0..n) = a[0..n) div d; returns a mod d. d != 0, n >= 1. q may be null when only the
// remainder is wanted, or a itself.
Word WordsDivRemWord(Word* q, const Word* a, int n, Word d);
// d^-1 mod 2^64 for an odd d.
Word WordInverse(Word d);
// q[0..n) = a[0..n) / d for an odd d that divides a exactly, with dInverse = WordInverse(d):
// Hensel's division from the low end (Jebelean, "An algorithm for exact division", J. Symbolic
// Computation 15, 1993), one product a word and no quotient estimate. q may be a itself.
void WordsDivExactOdd(Word* q, const Word* a, int n, Word d, Word dInverse);
// Knuth's algorithm D. Divides u[0..nu) by v[0..nv), nu >= nv >= 2, where v[nv-1] has its top
// bit set and vInverse = WordReciprocal(v[nv-1]). The low nu - nv quotient words go to q and
// the top one (0 or 1) is returned; the remainder replaces u[0..nv), and u[nv..nu) is left
// undefined. q may be null when only the remainder is wanted; otherwise it overlaps neither u
// nor v. u does not overlap v.
Word WordsDivRemNormalized(Word* q, Word* u, int nu, const Word* v, int nv, Word vInverse);
// q[0..nu-nv+1) = u div v and r[0..nv) = u mod v, for nu >= nv >= 1 and v[nv-1] != 0. q may be
// null when only the remainder is wanted. scratch holds nu + nv + 1 words. q and r overlap
// nothing, except that r may be u itself.
void WordsDivRem(Word* q, Word* r, const Word* u, int nu, const Word* v, int nv, Word* scratch);

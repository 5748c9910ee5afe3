// Greatest common divisor by Lehmer's method: the leading 128 bits of the two numbers decide
// a run of Euclid's quotients, collected in a 2x2 matrix that is then applied to the whole
// numbers in one linear pass. Only when the leading bits cannot decide does a full division
// step in.
#include <bit>
#include <utility>

#include "LongRecord.h"
#include "TavoLong.h"

namespace {

constexpr Word HalfWordBit = Word{1} << (WordBits / 2);

// (A; B) = M (A'; B'): the reduced pair A', B' follows from A, B through the inverse of M,
// whose determinant is 1.
struct LehmerMatrix {
  Word m00, m01, m10, m11;
};

DoubleWord Join(Word hi, Word lo) {
  return (DoubleWord{hi} << WordBits) | lo;
}
Word High(DoubleWord x) {
  return static_cast<Word>(x >> WordBits);
}

// Euclid's steps on the leading 128 bits (ah:al, bh:bl) of two numbers, for as long as they
// are certain to agree with the steps on the whole numbers: the remainders must stay above
// 2^65 while both words count, and above 2^33 of the leading word once the high words have
// shrunk below half a word. Returns false when not one step is certain.
bool LehmerStep(Word ah, Word al, Word bh, Word bl, LehmerMatrix& m) {
  if (ah < 2 || bh < 2) return false;
  DoubleWord a = Join(ah, al);
  DoubleWord b = Join(bh, bl);
  Word u00, u01, u10, u11;
  if (a > b) {
    a -= b;
    if (High(a) < 2) return false;
    u00 = u01 = u11 = 1;
    u10 = 0;
  } else {
    b -= a;
    if (High(b) < 2) return false;
    u00 = u10 = u11 = 1;
    u01 = 0;
  }

  // Double-word steps.
  bool aTurn = a >= b;
  Word sa = 0, sb = 0;  // the leading words once the steps go on in single words
  bool single = false;
  for (;;) {
    if (aTurn) {
      // a >= b: a -= q b, and M's second column gains q times its first.
      if (High(a) == High(b)) goto done;
      if (High(a) < HalfWordBit) {
        sa = static_cast<Word>(a >> (WordBits / 2));
        sb = static_cast<Word>(b >> (WordBits / 2));
        single = true;
        break;
      }
      a -= b;
      if (High(a) < 2) goto done;
      if (High(a) <= High(b)) {
        u01 += u00;
        u11 += u10;
      } else {
        const Word q = static_cast<Word>(a / b);
        a -= DoubleWord{q} * b;
        if (High(a) < 2) {
          u01 += q * u00;
          u11 += q * u10;
          goto done;
        }
        u01 += (q + 1) * u00;
        u11 += (q + 1) * u10;
      }
    } else {
      // b >= a: b -= q a, and M's first column gains q times its second.
      if (High(a) == High(b)) goto done;
      if (High(b) < HalfWordBit) {
        sa = static_cast<Word>(a >> (WordBits / 2));
        sb = static_cast<Word>(b >> (WordBits / 2));
        single = true;
        break;
      }
      b -= a;
      if (High(b) < 2) goto done;
      if (High(b) <= High(a)) {
        u00 += u01;
        u10 += u11;
      } else {
        const Word q = static_cast<Word>(b / a);
        b -= DoubleWord{q} * a;
        if (High(b) < 2) {
          u00 += q * u01;
          u10 += q * u11;
          goto done;
        }
        u00 += (q + 1) * u01;
        u10 += (q + 1) * u11;
      }
    }
    aTurn = !aTurn;
  }

  // Single-word steps on the leading 64 bits; the matrix entries stay below 2^32 here.
  if (single) {
    constexpr Word Limit = Word{1} << (WordBits / 2 + 1);
    for (;;) {
      if (aTurn) {
        sa -= sb;
        if (sa < Limit) break;
        if (sa <= sb) {
          u01 += u00;
          u11 += u10;
        } else {
          const Word q = sa / sb;
          sa -= q * sb;
          if (sa < Limit) {
            u01 += q * u00;
            u11 += q * u10;
            break;
          }
          u01 += (q + 1) * u00;
          u11 += (q + 1) * u10;
        }
      } else {
        sb -= sa;
        if (sb < Limit) break;
        if (sb <= sa) {
          u00 += u01;
          u10 += u11;
        } else {
          const Word q = sb / sa;
          sb -= q * sa;
          if (sb < Limit) {
            u00 += q * u01;
            u10 += q * u11;
            break;
          }
          u00 += (q + 1) * u01;
          u10 += (q + 1) * u11;
        }
      }
      aTurn = !aTurn;
    }
  }
done:
  m = {u00, u01, u10, u11};
  return true;
}

// The leading 64 bits of x[0..n) after a left shift by s (0 <= s < 64) that brings the top
// bit of the larger operand to the top; word i counts down from the top.
Word Leading(const Word* x, int n, int s, int i) {
  const Word hi = x[n - 1 - i];
  if (s == 0) return hi;
  const Word lo = n - 2 - i >= 0 ? x[n - 2 - i] : 0;
  return (hi << s) | (lo >> (WordBits - s));
}

// The low and high words of x * y + carry.
struct WordPair {
  Word lo, hi;
};
WordPair MulAdd(Word x, Word y, Word carry) {
  const DoubleWord p = DoubleWord{x} * y;
  WordPair r{static_cast<Word>(p), High(p)};
  r.lo += carry;
  r.hi += r.lo < carry;
  return r;
}

// (a', b') = (m11 a - m01 b, m00 b - m10 a) over n words into (out, b), in one pass. Both
// results are non-negative and fit in n words. (Keeping the four carry chains in single
// words lets the compiler hold them all in registers.)
void ApplyInverse(const LehmerMatrix& m, Word* out, const Word* a, Word* b, int n) {
  Word carryA = 0, borrowA = 0;  // of m11 a and of m01 b, with the subtraction's borrow
  Word carryB = 0, borrowB = 0;  // of m00 b and of m10 a, likewise
  for (int i = 0; i < n; ++i) {
    const Word ai = a[i];
    const Word bi = b[i];
    const WordPair pa = MulAdd(ai, m.m11, carryA);
    const WordPair qa = MulAdd(bi, m.m01, borrowA);
    const WordPair pb = MulAdd(bi, m.m00, carryB);
    const WordPair qb = MulAdd(ai, m.m10, borrowB);
    out[i] = pa.lo - qa.lo;
    b[i] = pb.lo - qb.lo;
    carryA = pa.hi;
    borrowA = qa.hi + (pa.lo < qa.lo);
    carryB = pb.hi;
    borrowB = qb.hi + (pb.lo < qb.lo);
  }
}

Word GcdOfWords(Word a, Word b) {
  if (a == 0) return b;
  if (b == 0) return a;
  const int shift = std::countr_zero(a | b);
  a >>= std::countr_zero(a);
  do {
    b >>= std::countr_zero(b);
    if (a > b) std::swap(a, b);
    b -= a;
  } while (b != 0);
  return a << shift;
}

// x := x mod y over trimmed lengths nx >= ny >= 1; returns the trimmed length of the result
// (0 when y divides x).
int Reduce(Word* x, int nx, const Word* y, int ny, Word* scratch) {
  WordsDivRem(nullptr, x, x, nx, y, ny, scratch);
  return WordsTrim(x, ny);
}

// The gcd of the non-zero magnitudes u[0..nu) and v[0..nv), trimmed, with u >= v. The buffers
// hold WordSlots words each and are overwritten; returns a pointer to the gcd (into one of
// the buffers, or into t) and its length in len.
const Word* GcdOfMagnitudes(Word* u, int nu, Word* v, int nv, Word* t, int& len) {
  Word scratch[2 * WordSlots + 2];
  for (;;) {
    if (nv == 1) {
      const Word r = WordsDivRemWord(t, u, nu, v[0]);
      u[0] = GcdOfWords(v[0], r);
      len = 1;
      return u;
    }
    if (nu > nv) {
      nu = Reduce(u, nu, v, nv, scratch);
      if (nu == 0) {
        len = nv;
        return v;
      }
      std::swap(u, v);
      std::swap(nu, nv);
      continue;
    }
    // Equal lengths: Lehmer steps for as long as the leading bits decide them.
    int n = nu;
    for (;;) {
      const int s = std::countl_zero(u[n - 1] | v[n - 1]);
      LehmerMatrix m;
      if (!LehmerStep(Leading(u, n, s, 0), Leading(u, n, s, 1), Leading(v, n, s, 0),
                      Leading(v, n, s, 1), m)) {
        break;
      }
      ApplyInverse(m, t, u, v, n);
      std::swap(u, t);
      if ((u[n - 1] | v[n - 1]) == 0) --n;
      if (n == 1) break;
    }
    nu = WordsTrim(u, n);
    nv = WordsTrim(v, n);
    if (nu < nv || (nu == nv && WordsCompare(u, v, nu) < 0)) {
      std::swap(u, v);
      std::swap(nu, nv);
    }
    if (nu == 1) {
      u[0] = GcdOfWords(u[0], v[0]);
      len = 1;
      return u;
    }
    // The leading bits could not decide: one full division step.
    nu = Reduce(u, nu, v, nv, scratch);
    if (nu == 0) {
      len = nv;
      return v;
    }
    std::swap(u, v);
    std::swap(nu, nv);
  }
}

// True when dividing the larger magnitude by the smaller is beyond the capacity of the
// division: the larger has the full width and the smaller, shifted up to its top bit, is not
// above it.
bool DivisionBeyondCapacity(const TLongNum& larger, const TLongNum& smaller) {
  const int bits = BitLength(larger);
  if (bits != 8 * MaxDigits) return false;
  const int shift = bits - BitLength(smaller);
  Word aligned[WordSlots] = {};
  const int n = UsedWords(smaller);
  const Word* src = WordsOf(smaller);
  const int wordShift = shift / WordBits;
  const int bitShift = shift % WordBits;
  if (bitShift == 0) {
    for (int i = 0; i < n; ++i)
      aligned[i + wordShift] = src[i];
  } else {
    const Word out = WordsShiftLeft(aligned + wordShift, src, n, bitShift);
    if (out != 0) aligned[n + wordShift] = out;
  }
  return WordsCompare(aligned, WordsOf(larger), WordSlots) <= 0;
}

}  // namespace

void LongGcd(const TLongNum& a, const TLongNum& b, TLongNum& g) {
  if (a.Overflowed || b.Overflowed) {
    LongCopy(g, MaxLongNum);
    return;
  }
  const int order = LongCompareAbs(a, b);
  const TLongNum& larger = order >= 0 ? a : b;
  const TLongNum& smaller = order >= 0 ? b : a;
  if (LongIsZero(smaller) || order == 0) {
    LongCopy(g, larger);
    g.Sign = 1;
    return;
  }
  if (DivisionBeyondCapacity(larger, smaller)) {
    LongSaturate(g);
    return;
  }
  Word u[WordSlots];
  Word v[WordSlots];
  Word t[WordSlots];
  const int nu = UsedWords(larger);
  const int nv = UsedWords(smaller);
  for (int i = 0; i < nu; ++i)
    u[i] = larger.Digit.Word[i];
  for (int i = 0; i < nv; ++i)
    v[i] = smaller.Digit.Word[i];
  int len = 0;
  const Word* gcd = GcdOfMagnitudes(u, nu, v, nv, t, len);
  StoreMagnitude(g, gcd, len, 1);
}

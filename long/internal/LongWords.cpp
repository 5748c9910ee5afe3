#include "LongWords.h"

#include <bit>
#include <cassert>
#include <functional>

#include "DoubleWord.h"

namespace {

// Whether the runs x[0..nx) and y[0..ny) share no word. std::less orders any two pointers,
// where the built-in comparison leaves pointers into different arrays unspecified.
[[maybe_unused]] bool Disjoint(const Word* x, int nx, const Word* y, int ny) {
  const std::less<const Word*> below;
  return !below(x, y + ny) || !below(y, x + nx);
}

}  // namespace

int WordsCompare(const Word* a, const Word* b, int n) {
  for (int i = n - 1; i >= 0; --i) {
    if (a[i] != b[i]) return a[i] > b[i] ? 1 : -1;
  }
  return 0;
}

int WordsTrim(const Word* a, int n) {
  while (n > 0 && a[n - 1] == 0)
    --n;
  return n;
}

Word WordsAdd(Word* dst, const Word* a, const Word* b, int n) {
  Word carry = 0;
  for (int i = 0; i < n; ++i) {
    const DoubleWord t = DoubleWord{a[i]} + b[i] + carry;
    dst[i] = static_cast<Word>(t);
    carry = static_cast<Word>(t >> WordBits);
  }
  return carry;
}

Word WordsAddWord(Word* dst, const Word* a, int n, Word w) {
  int i = 0;
  for (; i < n && w != 0; ++i) {
    const Word s = a[i] + w;
    w = s < w;
    dst[i] = s;
  }
  if (dst != a) {
    for (; i < n; ++i)
      dst[i] = a[i];
  }
  return w;
}

Word WordsSub(Word* dst, const Word* a, const Word* b, int n) {
  Word borrow = 0;
  for (int i = 0; i < n; ++i) {
    const Word ai = a[i];
    const Word bi = b[i];
    const Word t = ai - bi;
    const Word d = t - borrow;
    borrow = (ai < bi) | (t < borrow);
    dst[i] = d;
  }
  return borrow;
}

Word WordsSubWord(Word* dst, const Word* a, int n, Word w) {
  int i = 0;
  for (; i < n && w != 0; ++i) {
    const Word ai = a[i];
    dst[i] = ai - w;
    w = ai < w;
  }
  if (dst != a) {
    for (; i < n; ++i)
      dst[i] = a[i];
  }
  return w;
}

// Products by a word loop unrolled (GCC and clang read the pragma): the loop's own count and test
// would add half again to a word's six instructions.
Word WordsMulWord(Word* dst, const Word* a, int n, Word w, Word c) {
  Word carry = c;
#pragma GCC unroll 4
  for (int i = 0; i < n; ++i) {
    const DoubleWord t = DoubleWord{a[i]} * w + carry;
    dst[i] = static_cast<Word>(t);
    carry = static_cast<Word>(t >> WordBits);
  }
  return carry;
}

// Each word of a is stored before b's is read, so that the compiler, which cannot rule out that
// they overlap, has no product to hold aside; and the loop is unrolled eight deep, since its
// count and test weigh on a loop of two products (GCC and clang read the pragma).
void WordsMulWordPair(Word* a, Word* b, int n, Word w, Word (&carry)[2]) {
  assert(Disjoint(a, n, b, n));
  Word ca = carry[0], cb = carry[1];
#pragma GCC unroll 8
  for (int i = 0; i < n; ++i) {
    const DoubleWord ta = DoubleWord{a[i]} * w + ca;
    a[i] = static_cast<Word>(ta);
    ca = static_cast<Word>(ta >> WordBits);
    const DoubleWord tb = DoubleWord{b[i]} * w + cb;
    b[i] = static_cast<Word>(tb);
    cb = static_cast<Word>(tb >> WordBits);
  }
  carry[0] = ca;
  carry[1] = cb;
}

Word WordsAddMulWord(Word* dst, const Word* a, int n, Word w) {
  Word carry = 0;
#pragma GCC unroll 4
  for (int i = 0; i < n; ++i) {
    const DoubleWord t = DoubleWord{a[i]} * w + dst[i] + carry;
    dst[i] = static_cast<Word>(t);
    carry = static_cast<Word>(t >> WordBits);
  }
  return carry;
}

Word WordsSubMulWord(Word* dst, const Word* a, int n, Word w) {
  Word carry = 0;
#pragma GCC unroll 4
  for (int i = 0; i < n; ++i) {
    const DoubleWord p = DoubleWord{a[i]} * w + carry;
    const Word lo = static_cast<Word>(p);
    const Word d = dst[i];
    dst[i] = d - lo;
    carry = static_cast<Word>(p >> WordBits) + (d < lo);
  }
  return carry;
}

void WordsMul(Word* dst, const Word* a, int na, const Word* b, int nb) {
  assert(na >= nb && nb >= 1 && Disjoint(dst, na + nb, a, na) && Disjoint(dst, na + nb, b, nb));
  dst[na] = WordsMulWord(dst, a, na, b[0]);
  for (int j = 1; j < nb; ++j)
    dst[na + j] = WordsAddMulWord(dst + j, a, na, b[j]);
}

Word WordsWindow(const Word* a, int n, int bit) {
  const auto word = [&](int i) { return i >= 0 && i < n ? a[i] : Word{0}; };
  // Floor division, so that a negative bit falls in the word below zero.
  const int i = bit >= 0 ? bit / WordBits : -((-bit + WordBits - 1) / WordBits);
  const int s = bit - i * WordBits;
  if (s == 0) return word(i);
  return word(i) >> s | word(i + 1) << (WordBits - s);
}

Word WordsShiftLeft(Word* dst, const Word* a, int n, int s) {
  assert(n >= 1 && s > 0 && s < WordBits);
  const Word out = a[n - 1] >> (WordBits - s);
  for (int i = n - 1; i > 0; --i)
    dst[i] = (a[i] << s) | (a[i - 1] >> (WordBits - s));
  dst[0] = a[0] << s;
  return out;
}

Word WordsShiftRight(Word* dst, const Word* a, int n, int s) {
  assert(n >= 1 && s > 0 && s < WordBits);
  const Word out = a[0] << (WordBits - s);
  for (int i = 0; i < n - 1; ++i)
    dst[i] = (a[i] >> s) | (a[i + 1] << (WordBits - s));
  dst[n - 1] = a[n - 1] >> s;
  return out;
}

Word WordReciprocal(Word d) {
  assert(d >> (WordBits - 1) == 1);
  return static_cast<Word>(((DoubleWord{~d} << WordBits) | ~Word{0}) / d);
}

Word WordsDivRemWord(Word* q, const Word* a, int n, Word d) {
  assert(d != 0 && n >= 1);
  const int s = std::countl_zero(d);
  const Word dn = d << s;
  const Word inverse = WordReciprocal(dn);
  // Divide a << s by d << s, forming the shifted words on the way down.
  Word r = s == 0 ? 0 : a[n - 1] >> (WordBits - s);
  for (int i = n - 1; i >= 0; --i) {
    const Word lo = s == 0 || i == 0 ? a[i] << s : a[i] << s | a[i - 1] >> (WordBits - s);
    const Word qi = DivideTwoByOne(r, r, lo, dn, inverse);
    if (q != nullptr) q[i] = qi;
  }
  return r >> s;
}

Word WordInverse(Word d) {
  assert(d % 2 == 1);
  // Newton's iteration x := x (2 - d x) doubles the low bits that are right; 3d xor 2 has the
  // low five right for every odd d.
  Word x = 3 * d ^ 2;
  for (int bits = 5; bits < WordBits; bits *= 2)
    x *= 2 - d * x;
  return x;
}

void WordsDivExactOdd(Word* q, const Word* a, int n, Word d, Word dInverse) {
  assert(d % 2 == 1 && d * dInverse == 1);
  // Each quotient word is what makes the low word vanish; the high word of its product with d
  // is what it takes from the next word up.
  Word borrow = 0;
  for (int i = 0; i < n; ++i) {
    const Word ai = a[i];
    const Word s = ai - borrow;
    const Word qi = s * dInverse;
    borrow = static_cast<Word>(DoubleWord{qi} * d >> WordBits) + (ai < borrow);
    q[i] = qi;
  }
  assert(borrow == 0);
}

// Knuth's Algorithm D (TAOCP vol. 2, section 4.3.1), steps D2 to D7; the caller normalises
// (D1) and unnormalises (D8). The top quotient word is taken by one comparison, since the
// divisor's top bit is set.
Word WordsDivRemNormalized(Word* q, Word* u, int nu, const Word* v, int nv, Word vInverse) {
  assert(nu >= nv && nv >= 2 && v[nv - 1] >> (WordBits - 1) == 1);
  const Word v1 = v[nv - 1];
  const Word v0 = v[nv - 2];
  const int m = nu - nv;

  Word top = 0;
  if (WordsCompare(u + m, v, nv) >= 0) {
    WordsSub(u + m, u + m, v, nv);
    top = 1;
  }
  // D2, D7: one quotient word for each j from the top down.
  for (int j = m - 1; j >= 0; --j) {
    const Word n2 = u[j + nv];
    const Word n1 = u[j + nv - 1];
    const Word n0 = u[j + nv - 2];
    // The remainder so far, u[j+1..j+nv], is below v.
    assert(n2 <= v1);
    // D3: the estimate from the top two words of the remainder and the top word of v.
    Word qhat;
    Word rhat;
    bool rhatFits = true;
    if (n2 == v1) {
      // The two-by-one quotient would be B or more; start from B - 1.
      qhat = ~Word{0};
      rhat = n1 + v1;
      rhatFits = rhat >= n1;
    } else {
      qhat = DivideTwoByOne(rhat, n2, n1, v1, vInverse);
    }
    // Refine the estimate with the second divisor word; after this it is at most one too
    // large. Once rhat reaches B the test can no longer fail.
    if (rhatFits) {
      DoubleWord product = DoubleWord{qhat} * v0;
      while (product > ((DoubleWord{rhat} << WordBits) | n0)) {
        --qhat;
        product -= v0;
        const Word previous = rhat;
        rhat += v1;
        if (rhat < previous) break;
      }
    }
    // D4: multiply and subtract. An estimate at most one too large takes at most one more
    // than the top word holds.
    const Word borrow = WordsSubMulWord(u + j, v, nv, qhat);
    assert(borrow == n2 || borrow == n2 + 1);
    // D5, D6: a difference below zero means the estimate was one too large: add v back, which
    // carries out of the top exactly once.
    if (borrow > n2) {
      [[maybe_unused]] const Word carry = WordsAdd(u + j, u + j, v, nv);
      assert(carry == 1);
      --qhat;
    }
    u[j + nv] = 0;
    if (q != nullptr) q[j] = qhat;
  }
  return top;
}

void WordsDivRem(Word* q, Word* r, const Word* u, int nu, const Word* v, int nv, Word* scratch) {
  assert(nu >= nv && nv >= 1 && v[nv - 1] != 0);
  if (nv == 1) {
    Word* quotient = q != nullptr ? q : scratch;
    r[0] = WordsDivRemWord(quotient, u, nu, v[0]);
    return;
  }
  // D1: normalise once, shifting both so that the divisor's top bit is set.
  const int s = std::countl_zero(v[nv - 1]);
  Word* un = scratch;
  Word* vn = scratch + nu + 1;
  if (s == 0) {
    for (int i = 0; i < nu; ++i)
      un[i] = u[i];
    for (int i = 0; i < nv; ++i)
      vn[i] = v[i];
    un[nu] = 0;
  } else {
    un[nu] = WordsShiftLeft(un, u, nu, s);
    WordsShiftLeft(vn, v, nv, s);
  }
  // When the shift spills into a new top word, the quotient's words all come from the loop of
  // the division and its top word is zero.
  const int top = un[nu] != 0 ? nu + 1 : nu;
  const Word high = WordsDivRemNormalized(q, un, top, vn, nv, WordReciprocal(vn[nv - 1]));
  if (q != nullptr && top == nu) q[nu - nv] = high;
  // D8: the remainder, shifted back.
  if (s == 0) {
    for (int i = 0; i < nv; ++i)
      r[i] = un[i];
  } else {
    WordsShiftRight(r, un, nv, s);
  }
}

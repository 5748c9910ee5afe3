// Greatest common divisor.
//
// Lehmer's method: D. H. Lehmer, "Euclid's algorithm for large numbers", Amer. Math. Monthly
// 45 (1938), as Knuth gives it in TAOCP vol. 2, section 4.5.2, Algorithm L. Euclid's algorithm
// runs on the leading bits of the two numbers alone, in machine arithmetic, for as long as its
// quotients are certain to be those of the whole numbers; the cofactors of those quotients
// then carry the whole numbers forward in one linear sweep. Where the leading bits cannot
// decide even one quotient, a full division takes the step.
//
// The window is two words wide, and the test of when a quotient is certain is T. Jebelean's:
// "Improving the multiprecision Euclidean algorithm" (DISCO '93) and "A double-digit
// Lehmer-Euclid algorithm for finding the GCD of long integers", J. Symbolic Computation 19
// (1995). With the remainders written through signed cofactors of the two numbers, a quotient
// stands when its new remainder is at least the magnitude of that remainder's negative
// cofactor, and the fall from the previous remainder at least the negative cofactor of the
// fall. No second run of Euclid on other bounds is needed.
#include <algorithm>
#include <bit>
#include <cassert>
#include <utility>

#include "DoubleWord.h"
#include "LongRecord.h"
#include "LongWords.h"
#include "TavoLong.h"

namespace {

constexpr DoubleWord Join(Word high, Word low) {
  return DoubleWord{high} << WordBits | low;
}

constexpr Word High(DoubleWord x) {
  return static_cast<Word>(x >> WordBits);
}

constexpr Word Low(DoubleWord x) {
  return static_cast<Word>(x);
}

// The cofactors are held below 2^63, so that a combination of two words with them needs no
// carry beyond a word; it costs at most one bit of the run.
constexpr Word CofactorLimit = Word{1} << (WordBits - 1);

// floor(n / d) for n >= 4d, d > 0, with n - q*d in rem; 0 when the quotient may be 2^31 or
// more, far past what a run can take.
Word LargerQuotient(DoubleWord n, DoubleWord d, DoubleWord& rem) {
  // The leading word of n divided by the bits of d at the same places: with at least 32 bits
  // left of d, dropping its low bits makes the quotient too large by at most one, never too
  // small.
  const int s = WordBits - std::countl_zero(High(n));
  const Word divisor = Low(d >> s);
  if (divisor < Word{1} << 32) return 0;
  Word q = Low(n >> s) / divisor;
  rem = n - DoubleWord{q} * d;
  // A difference below zero wraps to the top half, for with n >= 4d, d < 2^126.
  if (High(rem) >> (WordBits - 1) != 0) {
    --q;
    rem += d;
  }
  assert(rem < d);
  return q;
}

// The state after a run of Euclid's quotients on two numbers A > B: the last two remainders
// r0 > r1 and, for each, the magnitudes of its cofactors. Remainder j of the run (A is
// remainder 0, B remainder 1) is x*A - y*B for even j and y*B - x*A for odd j; the signs
// alternate, so the magnitudes of the next cofactors are those of the previous ones plus the
// quotient times the current ones.
struct EuclidRun {
  DoubleWord r0, r1;
  Word x0 = 1, y0 = 0, x1 = 0, y1 = 1;
  int index = 1;  // of r1
};

// Takes the next quotient of the run when it is certain to be that of the whole numbers and
// the cofactors stay below CofactorLimit; returns whether it did. NextEven tells the parity of
// the new remainder's index.
template <bool NextEven>
bool TakeQuotient(EuclidRun& run) {
  // Two thirds of the quotients are 1, 2 or 3 (Gauss-Kuzmin): take those by subtraction.
  Word q = 1;
  DoubleWord r2 = run.r0 - run.r1;
  for (; q < 3 && r2 >= run.r1; ++q)
    r2 -= run.r1;
  if (r2 >= run.r1) {
    q = LargerQuotient(run.r0, run.r1, r2);
    if (q == 0) return false;
  }
  // The cofactors grow by at least the quotient; y2 >= x2 since A > B.
  const DoubleWord x2 = run.x0 + DoubleWord{q} * run.x1;
  const DoubleWord y2 = run.y0 + DoubleWord{q} * run.y1;
  if (y2 >= CofactorLimit) return false;
  // An even remainder x*A - y*B may lose up to y units of the truncated bits, an odd one x;
  // the fall r1 - r2 from an odd to an even remainder carries the odd signs, and back.
  const DoubleWord remainderSlack = NextEven ? y2 : x2;
  const DoubleWord fallSlack = NextEven ? run.x1 + x2 : run.y1 + y2;
  if (r2 < remainderSlack || run.r1 - r2 < fallSlack) return false;
  run.r0 = run.r1;
  run.r1 = r2;
  run.x0 = run.x1;
  run.y0 = run.y1;
  run.x1 = Low(x2);
  run.y1 = Low(y2);
  ++run.index;
  return true;
}

// Runs Euclid's algorithm on the leading parts a > b > 0 of two numbers for as long as every
// quotient is certain to be that of the whole numbers and the cofactors stay below
// CofactorLimit. Returns the number of quotients taken (0 when not even the first is certain).
int CertainQuotients(DoubleWord a, DoubleWord b, EuclidRun& run) {
  run = EuclidRun{a, b};
  // Every remainder taken is at least 1, so the run never reaches a zero.
  while (TakeQuotient<true>(run) && TakeQuotient<false>(run)) {
  }
  return run.index - 1;
}

// u[i], v[i] := the words of xs*u - ys*v and yt*v - xt*u over n words, where both results are
// non-negative and fit in n words and the four cofactors are below CofactorLimit. Kept out of
// line: inlined into the gcd's loop, its carries were spilled to memory among the loop's state.
[[gnu::noinline]] void CombineInPlace(Word* u, Word* v, int n, Word xs, Word ys, Word xt, Word yt) {
  // Subtracting c*w is adding c times the complement of w, plus c, less c*2^(64n). With the
  // cofactors below 2^63, the two products of a word and the carry fit in a double word, so
  // each result carries one word; the c*2^(64n) is what the top carries out.
  Word sCarry = ys;
  Word tCarry = xt;
  // Two words a turn: fewer loop instructions per word (about 8% faster).
#if defined(__GNUC__)
#pragma GCC unroll 2
#endif
  for (int i = 0; i < n; ++i) {
    const Word ui = u[i];
    const Word vi = v[i];
    const DoubleWord s = DoubleWord{xs} * ui + DoubleWord{ys} * ~vi + sCarry;
    const DoubleWord t = DoubleWord{yt} * vi + DoubleWord{xt} * ~ui + tCarry;
    u[i] = Low(s);
    v[i] = Low(t);
    sCarry = High(s);
    tCarry = High(t);
  }
  assert(sCarry == ys && tCarry == xt);
}

// The gcd of two double words by Knuth's binary Algorithm B (TAOCP vol. 2, section 4.5.2).
// Its signed t is kept as a magnitude and a sign.
DoubleWord GcdOfDoubleWords(DoubleWord u, DoubleWord v) {
  if (u == 0) return v;
  if (v == 0) return u;
  const auto trailingZeros = [](DoubleWord x) {
    return Low(x) != 0 ? std::countr_zero(Low(x)) : WordBits + std::countr_zero(High(x));
  };
  // B1: take out the power of two that both hold; one of them is then odd.
  const int k = trailingZeros(u | v);
  u >>= k;
  v >>= k;
  // B2: t := -v when u is odd, else t := u.
  bool negative = (u & 1) != 0;
  DoubleWord t = negative ? v : u;
  for (;;) {
    // B3, B4: halve t until it is odd (t is not zero here).
    t >>= trailingZeros(t);
    // B5: t replaces the larger of u and v.
    if (negative) {
      v = t;
    } else {
      u = t;
    }
    // B6: t := u - v; at zero the gcd is u * 2^k.
    if (u == v) return u << k;
    negative = u < v;
    t = negative ? v - u : u - v;
  }
}

// The gcd of u[0..nu) >= v[0..nv) > 0, both trimmed. The buffers hold WordSlots words and are
// overwritten; returns where the gcd stands (u or v) and its trimmed length in len.
const Word* GcdOfMagnitudes(Word* u, int nu, Word* v, int nv, int& len) {
  Word scratch[2 * WordSlots + 2];
  for (;;) {
    assert(nu >= nv && nv >= 1);
    if (nu <= 2) {
      const DoubleWord g =
          GcdOfDoubleWords(Join(nu == 2 ? u[1] : 0, u[0]), Join(nv == 2 ? v[1] : 0, v[0]));
      u[0] = Low(g);
      u[1] = High(g);
      len = u[1] != 0 ? 2 : 1;
      return u;
    }
    int steps = 0;
    EuclidRun run;
    if (nu - nv <= 1) {
      // The leading 128 bits of u, and the bits of v at the same places.
      const int h = WordBits * nu - std::countl_zero(u[nu - 1]) - 2 * WordBits;
      const DoubleWord b = WordsDoubleWindow(v, nv, h);
      if (b != 0) steps = CertainQuotients(WordsDoubleWindow(u, nu, h), b, run);
    }
    if (steps > 0) {
      // The combination reads both numbers over u's length.
      std::fill(v + nv, v + nu, Word{0});
      // The run ends on remainders r0 > r1 of indexes index - 1 and index: the even one is
      // x*u - y*v, the odd one y*v - x*u. The larger, r0, becomes the new u.
      const bool r1Even = run.index % 2 == 0;
      CombineInPlace(u, v, nu, r1Even ? run.x1 : run.x0, r1Even ? run.y1 : run.y0,
                     r1Even ? run.x0 : run.x1, r1Even ? run.y0 : run.y1);
      if (r1Even) std::swap(u, v);
      nv = WordsTrim(v, nu);
      nu = WordsTrim(u, nu);
      continue;
    }
    // The leading bits cannot decide a quotient: one full division step.
    WordsDivRem(nullptr, u, u, nu, v, nv, scratch);
    nu = WordsTrim(u, nv);
    if (nu == 0) {
      len = nv;
      return v;
    }
    std::swap(u, v);
    std::swap(nu, nv);
  }
}

}  // namespace

void LongGcd(const TLongNum& a, const TLongNum& b, TLongNum& g) {
  assert(Normalized(a) && Normalized(b));
  if (SaturatedOperand(a, b, &g)) return;
  const int order = LongCompareAbs(a, b);
  const TLongNum& larger = order >= 0 ? a : b;
  const TLongNum& smaller = order >= 0 ? b : a;
  if (order == 0 || LongIsZero(smaller)) {
    LongCopy(g, larger);
    g.Sign = 1;
    return;
  }
  // The first division, larger by smaller, is where the gcd meets the capacity.
  if (QuotientBeyondCapacity(larger, WordsOf(smaller), UsedWords(smaller))) {
    LongSaturate(g);
    return;
  }
  Word u[WordSlots];
  Word v[WordSlots];
  const int nu = UsedWords(larger);
  const int nv = UsedWords(smaller);
  std::copy(WordsOf(larger), WordsOf(larger) + nu, u);
  std::copy(WordsOf(smaller), WordsOf(smaller) + nv, v);
  int len = 0;
  const Word* gcd = GcdOfMagnitudes(u, nu, v, nv, len);
  StoreMagnitude(g, gcd, len, 1);
}

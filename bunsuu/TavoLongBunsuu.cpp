#include "TavoLongBunsuu.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

#include "TavoLong.h"

namespace {

// a := a div g, skipping the division by a gcd of 1 where it cannot change a. It can where a
// is saturated (a negated MaxLongNum comes back positive) or has the full width (a division
// by 1 is then beyond the capacity).
void DivideByGcd(TLongNum& a, const TLongNum& g) {
  if (LongCompare(g, LongOne) == 0 && LongDividesWithinCapacity(a)) return;
  LongDiv(a, g, a);
}

// Whether the full reduction of r cannot saturate, so that a shortcut may take its place: it
// saturates only on a saturated part, or on a part of the full width, which even a division by
// 1 takes beyond the capacity.
bool ReducesWithinCapacity(const TBunsuu& r) {
  return LongDividesWithinCapacity(r.Num) && LongDividesWithinCapacity(r.Den);
}

enum class Operation { Add, Subtract };

// The sum or difference of x and y over the least common multiple of their denominators,
// reduced.
void Combine(const TBunsuu& x, const TBunsuu& y, Operation operation, TBunsuu& r) {
  TLongNum g, p, q, xNum, yNum;
  LongGcd(x.Den, y.Den, g);
  p = y.Den;
  DivideByGcd(p, g);
  q = x.Den;
  DivideByGcd(q, g);
  LongMul(x.Num, p, xNum);
  LongMul(y.Num, q, yNum);
  LongMul(x.Den, p, r.Den);
  if (operation == Operation::Subtract) {
    LongSub(xNum, yNum, r.Num);
  } else {
    LongAdd(xNum, yNum, r.Num);
  }
  BunsuuReduce(r);
}

// a := a * p.Prime^p.Exponent.
void MultiplyByPower(TLongNum& a, const TPrimePower& p) {
  ForWordPowers(static_cast<std::uint64_t>(p.Prime), p.Exponent,
                [&a](std::uint64_t power) { LongMulWord(a, power, a); });
}

// a := a / p.Prime^p.Exponent, for a that the power divides.
void DivideByPower(TLongNum& a, const TPrimePower& p) {
  ForWordPowers(static_cast<std::uint64_t>(p.Prime), p.Exponent,
                [&a](std::uint64_t power) { LongDivExactWord(a, power, a); });
}

// Adds to primes those of n >= 1, each with its multiplicity, by trial division.
void AddPrimeFactors(std::int32_t n, std::vector<TPrimePower>& primes) {
  for (std::int32_t p = 2; p <= n / p; ++p) {
    if (n % p != 0) continue;
    TPrimePower& power = primes.emplace_back(TPrimePower{p, 0});
    for (; n % p == 0; n /= p)
      ++power.Exponent;
  }
  if (n > 1) primes.push_back({n, 1});
}

// Takes out of num each shared prime as often as it divides num, up to its exponent, and gives
// the shared primes with how often each went. Most do not divide num at all: one remainder by
// the product of as many of them as a word holds tells which of those do.
std::vector<TPrimePower> TakeCommonPrimes(TLongNum& num, std::span<const TPrimePower> shared) {
  std::vector<TPrimePower> taken;
  for (const TPrimePower& s : shared)
    taken.push_back({s.Prime, 0});
  for (std::size_t first = 0; first < shared.size();) {
    std::uint64_t product = 1;
    std::size_t end = first;
    for (; end < shared.size(); ++end) {
      const auto p = static_cast<std::uint64_t>(shared[end].Prime);
      if (shared[end].Exponent == 0) continue;
      if (product > UINT64_MAX / p) break;
      product *= p;
    }
    const std::uint64_t residue = product > 1 ? LongModWord(num, product) : 0;
    for (; first < end; ++first) {
      const auto p = static_cast<std::uint64_t>(shared[first].Prime);
      if (shared[first].Exponent == 0 || residue % p != 0) continue;
      for (std::int32_t& t = taken[first].Exponent;
           t < shared[first].Exponent && LongModWord(num, p) == 0; ++t)
        LongDivExactWord(num, p, num);
    }
  }
  return taken;
}

}  // namespace

void BunsuuCancel(TLongNum& a, TLongNum& b) {
  TLongNum g;
  LongGcd(a, b, g);
  DivideByGcd(a, g);
  DivideByGcd(b, g);
  if (LongSign(b) < 0) {
    LongNegate(a);
    LongNegate(b);
  }
}

void BunsuuReduce(TBunsuu& f) {
  BunsuuCancel(f.Num, f.Den);
}

void BunsuuAdd(const TBunsuu& x, const TBunsuu& y, TBunsuu& r) {
  Combine(x, y, Operation::Add, r);
}

// The sum over the factored denominators, in the steps of BunsuuAdd: the gcd g of the
// denominators, the factors p = den / g and q = sum.Den / g that bring each to their least
// common multiple, the new numerator and denominator, and the reduction. Henrici ("A
// subroutine for computations with rational numbers", J. ACM 3, 1956): for summands in lowest
// terms, a common factor of the new numerator and denominator divides g, so only g's primes are
// tried, each at most as often as g holds it.
void BunsuuAddFactored(TFactoredBunsuu& sum, const TLongNum& num, std::span<const TPrimePower> den,
                       std::int32_t rest) {
  assert(den.size() == sum.Factors.size() && rest >= 1);
  if (!sum.Factored || !ReducesWithinCapacity(sum.Value)) {
    TBunsuu term{num, LongOne};
    for (const TPrimePower& p : den)
      MultiplyByPower(term.Den, p);
    LongMulWord(term.Den, static_cast<std::uint64_t>(rest), term.Den);
    BunsuuAdd(sum.Value, term, sum.Value);
    sum.Factored = false;
    return;
  }
  // g: the smaller exponent of each prime, and the gcd of the rests, from a word remainder.
  const auto gRest = static_cast<std::int32_t>(
      std::gcd(LongModWord(sum.Rest, static_cast<std::uint64_t>(rest)), std::uint64_t(rest)));
  std::vector<TPrimePower> shared;
  TFactoredBunsuu r;
  TLongNum p, q;
  LongFromInt(rest / gRest, p);
  LongDivExactWord(sum.Rest, static_cast<std::uint64_t>(gRest), q);
  for (std::size_t i = 0; i < den.size(); ++i) {
    const TPrimePower& mine = sum.Factors[i];
    assert(den[i].Prime == mine.Prime);
    const std::int32_t common = std::min(mine.Exponent, den[i].Exponent);
    MultiplyByPower(p, {mine.Prime, den[i].Exponent - common});
    MultiplyByPower(q, {mine.Prime, mine.Exponent - common});
    shared.push_back({mine.Prime, common});
    r.Factors.push_back({mine.Prime, std::max(mine.Exponent, den[i].Exponent)});
  }
  AddPrimeFactors(gRest, shared);

  TLongNum scaled;
  LongMul(sum.Value.Den, p, r.Value.Den);
  LongMul(sum.Value.Num, p, r.Value.Num);
  LongMul(num, q, scaled);
  LongAdd(r.Value.Num, scaled, r.Value.Num);
  if (!ReducesWithinCapacity(r.Value)) {
    BunsuuReduce(r.Value);
    sum.Value = r.Value;
    sum.Factored = false;
    return;
  }
  LongMulWord(sum.Rest, static_cast<std::uint64_t>(rest / gRest), r.Rest);
  BunsuuReduceFactored(r, shared, sum);
}

void BunsuuReduceFactored(const TFactoredBunsuu& r, std::span<const TPrimePower> shared,
                          TFactoredBunsuu& f) {
  assert(r.Factored && shared.size() >= r.Factors.size());
  TFactoredBunsuu reduced = r;
  const std::vector<TPrimePower> taken = TakeCommonPrimes(reduced.Value.Num, shared);
  for (std::size_t i = 0; i < taken.size(); ++i) {
    DivideByPower(reduced.Value.Den, taken[i]);
    if (i < reduced.Factors.size()) {
      assert(reduced.Factors[i].Prime == taken[i].Prime);
      reduced.Factors[i].Exponent -= taken[i].Exponent;
    } else {
      DivideByPower(reduced.Rest, taken[i]);
    }
  }
  f = std::move(reduced);
}

TBunsuu BunsuuSum(const TBunsuu& x, const TBunsuu& y) {
  TBunsuu r;
  Combine(x, y, Operation::Add, r);
  return r;
}

TBunsuu BunsuuSub(const TBunsuu& x, const TBunsuu& y) {
  TBunsuu r;
  Combine(x, y, Operation::Subtract, r);
  return r;
}

void BunsuuMul(const TBunsuu& x, const TBunsuu& y, TBunsuu& r) {
  TBunsuu a = x;
  TBunsuu b = y;
  BunsuuCancel(a.Num, b.Den);
  BunsuuCancel(b.Num, a.Den);
  LongMul(a.Den, b.Den, r.Den);
  LongMul(a.Num, b.Num, r.Num);
}

// Dividing is multiplying by y turned upside down: the crosswise cancelling then pairs
// x.Num with y.Num, which also moves y's sign into the numerator, and y.Den with x.Den.
void BunsuuDiv(const TBunsuu& x, const TBunsuu& y, TBunsuu& r) {
  const TBunsuu reciprocal{y.Den, y.Num};
  BunsuuMul(x, reciprocal, r);
}

void BunsuuSet(std::int32_t a, std::int32_t b, TBunsuu& f) {
  assert(a != INT32_MIN && b != INT32_MIN);
  LongFromInt(a, f.Num);
  LongFromInt(b, f.Den);
  BunsuuReduce(f);
}

TBunsuu BunsuuMake(std::int32_t a, std::int32_t b) {
  TBunsuu f;
  BunsuuSet(a, b, f);
  return f;
}

TBunsuu BunsuuFromInt(std::int32_t a) {
  return BunsuuMake(a, 1);
}

// Machin's formula, pass by pass. The term of pass k is t = (term5 + term239) / k with
// term5 = 16 (-1)^j / 5^k and term239 = -4 (-1)^j / 239^k, j = (k - 1) / 2, so
// t = (-1)^j (16 * 239^k - 4 * 5^k) / (5^k 239^k k). Neither 5 nor 239 divides that numerator,
// so in lowest terms t = (-1)^j u / (5^k 239^k k') with c = gcd(16 * 239^k - 4 * 5^k, k),
// u = (16 * 239^k - 4 * 5^k) / c and k' = k / c. Every prime of a denominator is 5, 239 or a
// prime of some k: the sum's denominator is kept as 5^e5 239^e239 rest, and the gcd of the two
// denominators, the factors that bring each to their least common multiple, and the common
// factor of the new sum follow from the exponents and from word-sized gcds with k', without a
// gcd or a division of the long denominators.
#include "Machin.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <numeric>
#include <span>

#include "FractionDigits.h"
#include "TavoLong.h"

namespace {

constexpr int BaseDigits = 19;

// k stripped of the factors 5 and 239, with how many of each it held.
struct WithoutFiveAnd239 {
  std::int32_t rest, fives = 0, twoThirtyNines = 0;

  explicit WithoutFiveAnd239(std::int32_t k) : rest(k) {
    for (; rest % 5 == 0; rest /= 5)
      ++fives;
    for (; rest % 239 == 0; rest /= 239)
      ++twoThirtyNines;
  }
};

// The distinct prime factors of n >= 1, by trial division; an int32 has at most nine.
struct PrimeFactors {
  std::array<std::int32_t, 9> primes;
  std::size_t count = 0;

  explicit PrimeFactors(std::int32_t n) {
    for (std::int32_t p = 2; p <= n / p; ++p) {
      if (n % p != 0) continue;
      primes[count++] = p;
      while (n % p == 0)
        n /= p;
    }
    if (n > 1) primes[count++] = n;
  }
};

// |a| mod d for 0 < d < 2^31.
std::int32_t ModWord(const TLongNum& a, std::int32_t d) {
  TLongNum divisor, remainder;
  LongFromInt(d, divisor);
  LongMod(a, divisor, remainder);
  std::int32_t r = 0;
  LongToInt(remainder, r);
  return r < 0 ? -r : r;
}

// a := a * prime^e.
void MultiplyByPower(TLongNum& a, std::int32_t prime, std::int32_t e) {
  TLongNum factor;
  LongFromInt(prime, factor);
  for (; e > 0; --e)
    LongMul(a, factor, a);
}

// a := a / d for a word d that divides it; nothing to do for 1.
void DivideExactly(TLongNum& a, std::int32_t d) {
  if (d == 1) return;
  TLongNum divisor;
  LongFromInt(d, divisor);
  LongDiv(a, divisor, a);
}

// How many times, up to limit, prime divides n; n loses them.
std::int32_t TakeCommonPrime(TLongNum& n, std::int32_t prime, std::int32_t limit) {
  std::int32_t taken = 0;
  for (; taken < limit && ModWord(n, prime) == 0; ++taken)
    DivideExactly(n, prime);
  return taken;
}

// The words after the point of a copy that holds digits digits, and one word more so that the
// error of the last word rarely reaches the digits that are read. A copy longer than the
// capacity's decimal digits would only cost time: a question beyond the capacity ends on the
// overflow long before its texts grow that long, and a text longer than the copy comes from
// the exact expansion.
int CopyWords(std::int32_t digits) {
  return (std::min(digits, MaxDecimalDigits) + BaseDigits - 1) / BaseDigits + 1;
}

}  // namespace

MachinSum::MachinSum(std::int32_t copyDigits)
    : copy5_(CopyWords(copyDigits), 16, 5),
      copy239_(CopyWords(copyDigits), 4, 239),
      copySum_(CopyWords(copyDigits), 219, 1195) {
  LongFromInt(5, power5_);
  LongFromInt(239, power239_);
  // 16/5 - 4/239 - 3 = 219/1195, in lowest terms.
  LongFromInt(219, sum_.Num);
  LongFromInt(1195, sum_.Den);
  rest_ = LongOne;
}

const TBunsuu& MachinSum::NextPass() {
  k_ += 2;
  negative_ = !negative_;
  TLongNum factor;
  LongFromInt(25, factor);
  LongMul(power5_, factor, power5_);
  LongFromInt(57121, factor);
  LongMul(power239_, factor, power239_);

  // The term's numerator (-1)^j u and its reduced k'.
  TLongNum termNum, scaled;
  LongFromInt(16, factor);
  LongMul(power239_, factor, termNum);
  LongFromInt(4, factor);
  LongMul(power5_, factor, scaled);
  LongSub(termNum, scaled, termNum);
  const std::int32_t c = std::gcd(ModWord(termNum, k_), k_);
  DivideExactly(termNum, c);
  if (negative_) LongNegate(termNum);
  if (!KnownFactorPass(termNum, k_ / c)) GeneralPass(termNum, k_ / c);

  // The decimal copy. Each division by 25 or 57121 cuts off less than one unit of the last
  // word: the copy of 16 / 5^k starts exact (16/5 = 3.2) and stays within
  // 1 + 1/25 + 1/25^2 + ... < 25/24 units below its value, the copy of 4 / 239^k within
  // 1 + 1/57120 units below its own. Their difference is then within 25/24 units above and
  // 1 + 1/57120 below the true one; divided by k >= 3 that is less than 0.35 above and 0.34
  // below, and the division cuts off less than one unit more. So each pass moves the copy of
  // the sum by less than 1.35 units away from the true sum, which starts within one unit
  // (219/1195 cut off): after j passes the copy is within 1 + 2 j units.
  copy5_.DivideBy(25);
  copy239_.DivideBy(57121);
  DecimalFixed term = copy5_;
  term.AddOrSubtract(copy239_, true);
  term.DivideBy(static_cast<std::uint32_t>(k_));
  copySum_.AddOrSubtract(term, negative_);
  copyError_ += 2;
  return sum_;
}

void MachinSum::GeneralPass(const TLongNum& termNum, std::int32_t reducedK) {
  TBunsuu term;
  term.Num = termNum;
  LongMul(power5_, power239_, term.Den);
  TLongNum factor;
  LongFromInt(reducedK, factor);
  LongMul(term.Den, factor, term.Den);
  // The term's denominator divides 5^k * 239^k * k, so those are the only primes the sum's
  // reduction has to look for.
  const PrimeFactors ofK(k_);
  std::array<std::int32_t, 11> primes{5, 239};
  const auto end =
      std::copy_if(ofK.primes.begin(), ofK.primes.begin() + ofK.count, primes.begin() + 2,
                   [](std::int32_t p) { return p != 5 && p != 239; });
  BunsuuAddReduced(sum_, term, std::span(primes.begin(), end), sum_);
  known_ = false;
}

bool MachinSum::KnownFactorPass(const TLongNum& termNum, std::int32_t reducedK) {
  if (!known_ || sum_.Num.Overflowed || sum_.Den.Overflowed) return false;
  // The term's denominator is 5^t5 239^t239 kRest; g = gcd of the two denominators.
  const WithoutFiveAnd239 kParts(reducedK);
  const std::int32_t t5 = k_ + kParts.fives;
  const std::int32_t t239 = k_ + kParts.twoThirtyNines;
  const std::int32_t g5 = std::min(exponent5_, t5);
  const std::int32_t g239 = std::min(exponent239_, t239);
  const std::int32_t gRest = std::gcd(ModWord(rest_, kParts.rest), kParts.rest);
  // p = term's denominator / g and q = sum's denominator / g.
  TLongNum p, q;
  LongFromInt(kParts.rest / gRest, p);
  MultiplyByPower(p, 5, t5 - g5);
  MultiplyByPower(p, 239, t239 - g239);
  q = rest_;
  DivideExactly(q, gRest);
  MultiplyByPower(q, 5, exponent5_ - g5);
  MultiplyByPower(q, 239, exponent239_ - g239);

  TBunsuu r;
  TLongNum scaledTerm;
  LongMul(sum_.Den, p, r.Den);
  LongMul(sum_.Num, p, r.Num);
  LongMul(termNum, q, scaledTerm);
  LongAdd(r.Num, scaledTerm, r.Num);
  if (r.Num.Overflowed || r.Den.Overflowed) {
    // The full reduction of a saturated sum gives MaxLongNum / MaxLongNum.
    sum_ = {MaxLongNum, MaxLongNum};
    known_ = false;
    return true;
  }
  // A sum of full width needs the reduction that can saturate on it.
  if (!LongDividesWithinCapacity(r.Num) || !LongDividesWithinCapacity(r.Den)) return false;

  // Henrici: for sums of fractions in lowest terms, a common factor of the new numerator and
  // denominator divides g, so it is looked for among g's primes, each at most as often as g
  // holds it. One remainder by their product tells which of them divide the numerator at all.
  struct Candidate {
    std::int32_t prime, inG, taken = 0;
  };
  std::array<Candidate, 11> candidates{Candidate{5, g5}, Candidate{239, g239}};
  std::size_t count = 2;
  const PrimeFactors ofG(gRest);
  for (std::size_t i = 0; i < ofG.count; ++i) {
    Candidate& c = candidates[count++];
    c.prime = ofG.primes[i];
    for (std::int32_t rest = gRest; rest % c.prime == 0; rest /= c.prime)
      ++c.inG;
  }
  // The product divides 5 * 239 * gRest <= 1195 k, far inside a word for every k that an
  // unsaturated sum reaches (its denominator holds 5^k).
  assert(k_ <= INT32_MAX / 1195);
  std::int32_t product = 1;
  for (std::size_t i = 0; i < count; ++i) {
    if (candidates[i].inG > 0) product *= candidates[i].prime;
  }
  const std::int32_t residue = product > 1 ? ModWord(r.Num, product) : 1;
  std::int32_t commonRest = 1;
  for (std::size_t i = 0; i < count; ++i) {
    Candidate& c = candidates[i];
    if (c.inG == 0 || residue % c.prime != 0) continue;
    c.taken = TakeCommonPrime(r.Num, c.prime, c.inG);
    if (i < 2) continue;
    for (std::int32_t n = 0; n < c.taken; ++n)
      commonRest *= c.prime;
  }
  const std::int32_t c5 = candidates[0].taken;
  const std::int32_t c239 = candidates[1].taken;
  TLongNum common;
  LongFromInt(commonRest, common);
  MultiplyByPower(common, 5, c5);
  MultiplyByPower(common, 239, c239);
  if (LongCompare(common, LongOne) != 0) LongDiv(r.Den, common, r.Den);
  sum_ = r;
  exponent5_ = std::max(exponent5_, t5) - c5;
  exponent239_ = std::max(exponent239_, t239) - c239;
  // rest := lcm(rest, kRest) / commonRest.
  TLongNum factor;
  LongFromInt(kParts.rest / gRest, factor);
  LongMul(rest_, factor, rest_);
  DivideExactly(rest_, commonRest);
  return true;
}

std::string MachinSum::Digits(std::int32_t count) const {
  std::string text;
  if (DigitsFromCopy(count, text)) return text;
  return FractionDigits(sum_, count);
}

bool MachinSum::DigitsFromCopy(std::int32_t count, std::string& text) const {
  // Where the exact expansion is not plain long division (a saturated sum, or one too wide),
  // its text is its own.
  if (count <= 0 || !ExpandsWithinCapacity(sum_)) return false;
  return copySum_.DigitsWithin(copyError_, count, text);
}

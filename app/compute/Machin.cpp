// Machin's formula, pass by pass. The term of pass k is t = (term5 + term239) / k with
// term5 = 16 (-1)^j / 5^k and term239 = -4 (-1)^j / 239^k, j = (k - 1) / 2, so
// t = (-1)^j (16 * 239^k - 4 * 5^k) / (5^k 239^k k). Every prime of a denominator is 5, 239 or
// a prime of some k: the sum's denominator is kept factored, as 5^e5 239^e239 times a rest,
// and the fraction operations add each term over it without a gcd or a division of the long
// denominators.
#include "Machin.h"

#include <cstdint>
#include <numeric>
#include <string>

#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

// Whether the term of pass k is subtracted: (-1)^j with j = (k - 1) / 2.
constexpr bool NegativeTerm(std::int32_t k) {
  return k % 4 == 3;
}

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

}  // namespace

MachinSum::MachinSum(std::int32_t copyDigits)
    : decider_(copyDigits, MachinFirstNum, MachinFirstDen),
      copy5_(TextDecider::CopyWords(copyDigits), 16, 5),
      copy239_(TextDecider::CopyWords(copyDigits), 4, 239),
      term_(TextDecider::CopyWords(copyDigits), 0, 1) {
  exact_.Value = BunsuuMake(MachinFirstNum, MachinFirstDen);
  exact_.Primes = {5, 239};
  exact_.Exponents = {1, 1};
  LongFromInt(5, power5_);
  LongFromInt(239, power239_);
}

// The copies are exact floors in units of their last word, U = 10^(19 words): the constructors
// give floor(16 U / 5) = 16 U / 5, floor(4 U / 239) and floor(219 U / 1195), and a division
// by a whole number of the floor of x is the floor of x divided by it. So after pass k,
// copy5 = 16 U / 5^k - a and copy239 = 4 U / 239^k - b with a and b in [0, 1).
//   - copy239 <= copy5, as the subtraction needs: 4 U / 239^k < 16 U / 5^k, and floors keep
//     the order.
//   - The copy of the term, floor((copy5 - copy239) / k), is t - (a - b) / k - c with c in
//     [0, 1), t = (16 U / 5^k - 4 U / 239^k) / k the true term: within 1 + 1/k < 2 units of it.
//   - A term that is subtracted is at most the copy of the sum: each partial sum lies above
//     0.1, so the sum before a pass exceeds the term by more than U / 10, and its copy, within
//     1 + 2 j units after j passes, by more than the term's copy.
void MachinSum::NextPass() {
  k_ += 2;
  copy5_.DivideBy(25);
  copy239_.DivideBy(57121);
  term_ = copy5_;
  term_.Subtract(copy239_);
  term_.DivideBy(static_cast<std::uint32_t>(k_));
  if (NegativeTerm(k_)) {
    decider_.Subtract(term_, 2);
  } else {
    decider_.Add(term_, 2);
  }
  decider_.GrowDenominatorBound(MachinDenominatorFactor(k_));
}

const TBunsuu& MachinSum::CatchUpExactSum() {
  while (exactK_ < k_)
    AddExactTerm();
  return exact_.Value;
}

// The term of pass k in lowest terms. With A = 16 * 239^k - 4 * 5^k, c = gcd(A, k), u = A / c
// and k' = k / c, it is (-1)^j u / (5^k 239^k k'), and u is prime to every factor of that
// denominator:
//   - 5 does not divide A: 16 = 1 and 239 = 4 (mod 5), so A = 4^k (mod 5), which is not 0;
//   - 239 does not divide A: A = -4 * 5^k (mod 239), and the prime 239 divides neither 4 nor 5;
//   - so neither divides u, a divisor of A;
//   - gcd(u, k') = 1: a common divisor d of A / c and k / c makes d c a common divisor of A and
//     k, so d c divides c and d = 1.
// The sum is in lowest terms after every pass, and so is the term: Henrici's reduction, which
// the factored sum uses, needs both. The denominator is 5^(k + a) 239^(k + b) times the rest of
// k', where 5^a 239^b is what k' holds of the two primes.
void MachinSum::AddExactTerm() {
  exactK_ += 2;
  LongMulWord(power5_, 25, power5_);
  LongMulWord(power239_, 57121, power239_);
  TLongNum u, scaled;
  LongMulWord(power239_, 16, u);
  LongMulWord(power5_, 4, scaled);
  LongSub(u, scaled, u);
  const auto k = static_cast<std::uint64_t>(exactK_);
  const auto c = static_cast<std::int32_t>(std::gcd(LongModWord(u, k), k));
  LongDivExactWord(u, static_cast<std::uint64_t>(c), u);
  if (NegativeTerm(exactK_)) LongNegate(u);
  const WithoutFiveAnd239 kParts(exactK_ / c);
  const std::int32_t exponents[] = {exactK_ + kParts.fives, exactK_ + kParts.twoThirtyNines};
  BunsuuAddFactored(exact_, u, exponents, kParts.rest);
}

const std::string& MachinSum::Digits(std::int32_t count) {
  return decider_.Digits(count, [this]() -> const TBunsuu& { return CatchUpExactSum(); });
}

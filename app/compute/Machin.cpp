// Machin's formula, pass by pass. The term of pass k is t = (term5 + term239) / k with
// term5 = 16 (-1)^j / 5^k and term239 = -4 (-1)^j / 239^k, j = (k - 1) / 2, so
// t = (-1)^j (16 * 239^k - 4 * 5^k) / (5^k 239^k k). Every prime of a denominator is 5, 239 or
// a prime of some k: the sum's denominator is kept factored, as 5^e5 239^e239 times a rest,
// and the fraction operations add each term over it without a gcd or a division of the long
// denominators.
#include "Machin.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "FractionDigits.h"
#include "TavoLong.h"

namespace {

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

// The words after the point of a copy that holds digits digits, and one word more so that the
// error of the last word rarely reaches the digits that are read. A copy longer than the
// capacity's decimal digits would only cost time: a question beyond the capacity ends on the
// overflow long before its texts grow that long, and a text longer than the copy comes from
// the exact expansion.
int CopyWords(std::int32_t digits) {
  return (std::min(digits, MaxDecimalDigits) + DecimalWordDigits - 1) / DecimalWordDigits + 1;
}

}  // namespace

MachinSum::MachinSum(std::int32_t copyDigits)
    : copy5_(CopyWords(copyDigits), 16, 5),
      copy239_(CopyWords(copyDigits), 4, 239),
      copySum_(CopyWords(copyDigits), 219, 1195) {
  LongFromInt(5, power5_);
  LongFromInt(239, power239_);
  // 16/5 - 4/239 - 3 = 219/1195, in lowest terms: its denominator is 5^1 239^1.
  sum_.Value = BunsuuMake(219, 1195);
  sum_.Primes = {5, 239};
  sum_.Exponents = {1, 1};
}

const TBunsuu& MachinSum::NextPass() {
  k_ += 2;
  negative_ = !negative_;
  AddExactTerm();
  AddCopyTerm();
  return sum_.Value;
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
  LongMulWord(power5_, 25, power5_);
  LongMulWord(power239_, 57121, power239_);
  TLongNum u, scaled;
  LongMulWord(power239_, 16, u);
  LongMulWord(power5_, 4, scaled);
  LongSub(u, scaled, u);
  const auto k = static_cast<std::uint64_t>(k_);
  const auto c = static_cast<std::int32_t>(std::gcd(LongModWord(u, k), k));
  LongDivExactWord(u, static_cast<std::uint64_t>(c), u);
  if (negative_) LongNegate(u);
  const WithoutFiveAnd239 kParts(k_ / c);
  const std::int32_t exponents[] = {k_ + kParts.fives, k_ + kParts.twoThirtyNines};
  BunsuuAddFactored(sum_, u, exponents, kParts.rest);
}

// The copies are exact floors in units of their last word, U = 10^(19 words): the constructors
// give floor(16 U / 5) = 16 U / 5, floor(4 U / 239) and floor(219 U / 1195), and a division
// by a whole number of the floor of x is the floor of x divided by it. So after pass k,
// copy5 = 16 U / 5^k - a and copy239 = 4 U / 239^k - b with a and b in [0, 1).
//   - copy239 <= copy5, as the subtraction needs: 4 U / 239^k < 16 U / 5^k, and floors keep
//     the order.
//   - The copy of the term, floor((copy5 - copy239) / k), is t - (a - b) / k - c with c in
//     [0, 1), t = (16 U / 5^k - 4 U / 239^k) / k the true term: within 1 + 1/k < 2 units of it.
//   - The copy of the sum starts within one unit (219 U / 1195 cut off) and moves by less than
//     2 units a pass away from the true sum, so after j passes it is within 1 + 2 j units:
//     copyError_.
//   - A term that is subtracted is at most the copy of the sum: every partial sum lies above
//     0.1, more than the sum before it less the term by far more than 1 + 2 j units (U is at
//     least 10^38), and the copies of both are within those units.
void MachinSum::AddCopyTerm() {
  copy5_.DivideBy(25);
  copy239_.DivideBy(57121);
  DecimalFixed term = copy5_;
  term.Subtract(copy239_);
  term.DivideBy(static_cast<std::uint32_t>(k_));
  if (negative_) {
    copySum_.Subtract(term);
  } else {
    copySum_.Add(term);
  }
  copyError_ += 2;
}

std::string MachinSum::Digits(std::int32_t count) const {
  std::string text;
  if (DigitsFromCopy(count, text)) return text;
  return FractionDigits(sum_.Value, count);
}

bool MachinSum::DigitsFromCopy(std::int32_t count, std::string& text) const {
  // Where the exact expansion is not plain long division (a saturated sum, or one too wide),
  // its text is its own.
  if (count <= 0 || !ExpandsWithinCapacity(sum_.Value)) return false;
  return copySum_.DigitsWithin(copyError_, count, text);
}

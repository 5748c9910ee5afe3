#include "Factorial.h"

#include <cstdint>

#include "DecimalBounds.h"
#include "ExpansionDecider.h"
#include "SeriesValue.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

// e - 2 = 1/2 (1 + 1/3 (1 + 1/4 (1 + ...))): step n divides by n + 2.
SeriesValue FactorialSeries::Value(int words) {
  return HornerValue(words, 1, 2, [](std::int32_t n) {
    const auto b = static_cast<std::uint64_t>(n) + 2;
    return SeriesStep{1, b, b};
  });
}

// A group of passes, as many as a word holds, takes Num to Num q + p and Den to Den q, as they do
// one by one: q the product of their factors, p < q. The integers only grow, so where one of them
// outgrows the capacity after the group, it does at the pass that the group ends with.
const TBunsuu& FactorialExactSum::At(std::int32_t pass) {
  while (pass_ < pass) {
    std::uint64_t q = 1, p = 0;
    for (; pass_ < pass; ++pass_) {
      const std::uint64_t f = FactorialSeries::DenominatorFactor(pass_ + 1);
      if (q > UINT64_MAX / f) break;
      q *= f;
      p = p * f + 1;
    }
    LongMulWordPair(sum_.Num, p, sum_.Den, q);
  }
  return sum_;
}

// Before the first pass the next term is 1/1! divided by the first pass's factor.
FactorialSeries::FactorialSeries() : nextTerm_{1, 1} {
  nextTerm_.Divide(DenominatorFactor(1));
}

void FactorialSeries::NextPass() {
  nextTerm_.Divide(DenominatorFactor(++pass_ + 1));
}

// 1/(j + 2)! (1 + 1/(j + 3) + 1/((j + 3)(j + 4)) + ...) after pass j: the ratio's terms p_l, in
// RatioUnits, each the one before divided by j + 2 + l, rounded down in low and up in high. The
// terms from the first one left out on add less than twice it: each is at most half the one
// before.
TailBounds FactorialSeries::Tail(std::int32_t count) const {
  const std::uint64_t negligible = ExpansionDecider::NegligibleRatio(nextTerm_, count);
  std::uint64_t termLow = DecimalBounds::RatioUnit, termHigh = termLow;
  std::uint64_t low = 0, high = 0;
  for (std::uint64_t d = DenominatorFactor(pass_ + 2); termHigh > negligible; ++d) {
    low += termLow;
    high += termHigh;
    termLow /= d;
    termHigh = DivideRoundingUp(termHigh, d);
  }
  TailBounds tail{nextTerm_};
  tail.magnitude.Scale(low, high + 2 * termHigh);
  return tail;
}

#include "FactorialSum.h"

#include <cstdint>
#include <string>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "ExpansionDecider.h"
#include "SeriesValue.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

// e - 2 = 1/2 (1 + 1/3 (1 + 1/4 (1 + ...))): step n divides by n + 2.
SeriesValue EMinusTwo(int words) {
  return HornerValue(words, 1, 2, [](std::int32_t n) {
    const auto b = static_cast<std::uint64_t>(n) + 2;
    return SeriesStep{1, b, b};
  });
}

// A group of terms, as many as a word holds, takes Num to Num q + p and Den to Den q, as they do
// one by one: q the product of their k, p < q. The integers only grow, so where one of them
// outgrows the capacity after the group, it does at the term that the group ends with.
const TBunsuu& FactorialExactSum::At(std::int32_t k) {
  while (k_ < k) {
    std::uint64_t q = 1, p = 0;
    for (; k_ < k; ++k_) {
      const auto next = static_cast<std::uint64_t>(k_) + 1;
      if (q > UINT64_MAX / next) break;
      q *= next;
      p = p * next + 1;
    }
    LongMulWordPair(sum_.Num, p, sum_.Den, q);
  }
  return sum_;
}

FactorialSum::FactorialSum(std::int32_t textDigits)
    : nextTerm_{5, 5, -1}, decider_(EMinusTwo(WordsToDecide(textDigits)), 1) {}

void FactorialSum::NextTerm() {
  ++k_;
  nextTerm_.Divide(static_cast<std::uint64_t>(k_) + 1);
  decider_.GrowDenominatorBound(static_cast<std::uint64_t>(k_));
}

// 1/(k + 1)! (1 + 1/(k + 2) + 1/((k + 2)(k + 3)) + ...): the ratio's terms p_l, in
// RatioUnits, each the one before divided by k + 1 + l, rounded down in low and up in high. The
// terms from the first one left out on add less than twice it: each is at most half the one
// before.
TailBounds FactorialSum::Tail(std::int32_t count) const {
  const std::uint64_t negligible = ExpansionDecider::NegligibleRatio(nextTerm_, count);
  std::uint64_t termLow = DecimalBounds::RatioUnit, termHigh = termLow;
  std::uint64_t low = 0, high = 0;
  for (auto d = static_cast<std::uint64_t>(k_) + 2; termHigh > negligible; ++d) {
    low += termLow;
    high += termHigh;
    termLow /= d;
    termHigh = DivideRoundingUp(termHigh, d);
  }
  TailBounds tail{nextTerm_};
  tail.magnitude.Scale(low, high + 2 * termHigh);
  return tail;
}

const std::string& FactorialSum::Text(std::int32_t count) {
  return decider_.Expansion(count, Tail(count),
                            [this]() -> const TBunsuu& { return exact_.At(k_); });
}

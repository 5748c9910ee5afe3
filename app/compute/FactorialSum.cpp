#include "FactorialSum.h"

#include <cstdint>
#include <string>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "SeriesValue.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"
#include "TextDecider.h"

namespace {

// e - 2 = 1/2 (1 + 1/3 (1 + 1/4 (1 + ...))): step n divides by n + 2.
SeriesValue EMinusTwo(std::int32_t textDigits) {
  return HornerValue(DecimalFixed::WordsToDecide(textDigits), 1, 2, [](std::int32_t n) {
    const auto b = static_cast<std::uint64_t>(n) + 2;
    return SeriesStep{1, b, b};
  });
}

}  // namespace

FactorialSum::FactorialSum(std::int32_t textDigits)
    : nextTerm_{5, 5, -1}, decider_(EMinusTwo(textDigits), 1) {}

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
  const std::uint64_t negligible = TextDecider::NegligibleRatio(nextTerm_, count);
  std::uint64_t termLow = DecimalBounds::RatioUnit, termHigh = termLow;
  std::uint64_t low = 0, high = 0;
  for (auto d = static_cast<std::uint64_t>(k_) + 2; termHigh > negligible; ++d) {
    low += termLow;
    high += termHigh;
    termLow /= d;
    termHigh = termHigh / d + (termHigh % d != 0 ? 1 : 0);
  }
  TailBounds tail{nextTerm_};
  tail.magnitude.Scale(low, high + 2 * termHigh);
  return tail;
}

const TBunsuu& FactorialSum::CatchUpExactSum() {
  while (exactK_ < k_) {
    const auto k = static_cast<std::uint64_t>(++exactK_);
    LongMulWord(exact_.Den, k, exact_.Den);
    LongMulWord(exact_.Num, k, exact_.Num);
    LongInc(exact_.Num);
  }
  return exact_;
}

const std::string& FactorialSum::Digits(std::int32_t count) {
  return decider_.Digits(count, Tail(count),
                         [this]() -> const TBunsuu& { return CatchUpExactSum(); });
}

#include "FactorialSum.h"

#include <cstdint>
#include <string>
#include <utility>

#include "TavoLong.h"
#include "TavoLongBunsuu.h"

FactorialSum::FactorialSum(std::int32_t copyDigits)
    : decider_(copyDigits, 0, 1),
      term_(TextDecider::CopyWords(copyDigits), 1, 1),
      next_(TextDecider::CopyWords(copyDigits), 0, 1) {}

// The copy of the term is floor(U / k!) exactly, in units U of its last word: 1/1! is exact,
// and a division by a whole number of the floor of x is the floor of x divided by it, so the
// division of the copy of 1/(k - 1)! by k (k + 1) gives that of 1/(k + 1)! too. Each term is
// within one unit of the true one, and the sum's denominator k! grows by k.
void FactorialSum::NextTerm() {
  ++k_;
  if (k_ % 2 == 1) {
    std::swap(term_, next_);
  } else {
    const auto k = static_cast<std::uint32_t>(k_);
    term_.DivideBy(k, k + 1, next_);
  }
  decider_.Add(term_, 1);
  decider_.GrowDenominatorBound(static_cast<std::uint64_t>(k_));
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
  return decider_.Digits(count, [this]() -> const TBunsuu& { return CatchUpExactSum(); });
}

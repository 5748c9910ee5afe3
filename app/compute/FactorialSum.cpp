#include "FactorialSum.h"

#include "FractionDigits.h"
#include "TavoLong.h"

namespace {

// scale_ grows by 10^PowerDigits < 2^30 at a time, and only while the capacity allows it for
// the next update, remainder * k + scale_ with remainder * k below the new Den, which expands
// within the capacity: then no step of the update can saturate.
constexpr std::int32_t PowerDigits = 9;

// text := text + u, the number written by the digits of text with u added at its last
// digit; false when the carry runs off its front.
bool AddAtEnd(std::string& text, std::uint32_t u) {
  for (auto i = text.size(); i > 0 && u != 0; --i) {
    const std::uint32_t sum = static_cast<std::uint32_t>(text[i - 1] - '0') + u % 10;
    text[i - 1] = static_cast<char>('0' + sum % 10);
    u = u / 10 + sum / 10;
  }
  return u == 0;
}

}  // namespace

const std::string& FactorialSumDigits::NextTerm(std::int32_t count) {
  // (Num * k + 1) / (Den * k) adds 1/k! to Num / Den, Den being (k - 1)!.
  ++k_;
  const auto k = static_cast<std::uint64_t>(k_);
  LongMulWord(sum_.Den, k, sum_.Den);
  LongMulWord(sum_.Num, k, sum_.Num);
  LongInc(sum_.Num);
  if (!ExpandsWithinCapacity(sum_)) {
    // The expansion may saturate here: only the stepwise expansion knows where.
    text_ = FractionDigits(sum_, count);
    valid_ = false;
  } else if (valid_ && count >= static_cast<std::int32_t>(text_.size()) && Advance()) {
    Extend(count);
  } else {
    Restart(count);
  }
  return text_;
}

// With c = text_.size(): Num' * 10^c = (Num * k + 1) * 10^c = text * Den' + (rem * k + 10^c),
// so the new text is the old one plus (rem * k + 10^c) div Den', and the rest is the new
// remainder.
bool FactorialSumDigits::Advance() {
  TLongNum carry;
  LongMulWord(remainder_, static_cast<std::uint64_t>(k_), remainder_);
  LongAdd(remainder_, scale_, remainder_);
  LongDivMod(remainder_, sum_.Den, carry, remainder_);
  std::int32_t u;
  return LongToInt(carry, u) && AddAtEnd(text_, static_cast<std::uint32_t>(u));
}

void FactorialSumDigits::Extend(std::int32_t count) {
  const auto more = count - static_cast<std::int32_t>(text_.size());
  if (more <= 0) return;
  const std::size_t start = text_.size();
  text_.resize(static_cast<std::size_t>(count));
  LongExpandDecimal(remainder_, sum_.Den, more, text_.data() + start, remainder_);
  valid_ = Scale(more);
}

void FactorialSumDigits::Restart(std::int32_t count) {
  text_.assign(static_cast<std::size_t>(count > 0 ? count : 0), '0');
  LongExpandDecimal(sum_.Num, sum_.Den, static_cast<int>(text_.size()), text_.data(), remainder_);
  scale_ = LongOne;
  valid_ = Scale(static_cast<std::int32_t>(text_.size()));
}

bool FactorialSumDigits::Scale(std::int32_t count) {
  while (count > 0) {
    if (!LongScaleWithinCapacity(scale_)) return false;
    const std::int32_t digits = count < PowerDigits ? count : PowerDigits;
    LongMulWord(scale_, PowerOfTen(digits), scale_);
    count -= digits;
  }
  return true;
}

#include "DecimalFixed.h"

#include <algorithm>
#include <cassert>

#include "DoubleWord.h"

namespace {

constexpr std::uint64_t Base = 10'000'000'000'000'000'000u;  // 10^19
constexpr int BaseDigits = 19;

constexpr std::uint64_t PowerOfTen(int e) {
  std::uint64_t p = 1;
  for (int i = 0; i < e; ++i)
    p *= 10;
  return p;
}

}  // namespace

DecimalFixed::DecimalFixed(int fractionWords, std::uint32_t num, std::uint32_t den)
    : words_(static_cast<std::size_t>(fractionWords) + 1) {
  assert(den > 0);
  words_[0] = num / den;
  std::uint64_t r = num % den;
  for (std::size_t i = 1; i < words_.size(); ++i) {
    const DoubleWord x = static_cast<DoubleWord>(r) * Base;
    words_[i] = static_cast<std::uint64_t>(x / den);
    r = static_cast<std::uint64_t>(x % den);
  }
  while (lead_ < words_.size() && words_[lead_] == 0)
    ++lead_;
}

void DecimalFixed::DivideBy(std::uint32_t d) {
  assert(d > 0);
  std::uint64_t r = 0;
  for (std::size_t i = lead_; i < words_.size(); ++i) {
    const DoubleWord x = static_cast<DoubleWord>(r) * Base + words_[i];
    words_[i] = static_cast<std::uint64_t>(x / d);
    r = static_cast<std::uint64_t>(x % d);
  }
  while (lead_ < words_.size() && words_[lead_] == 0)
    ++lead_;
}

void DecimalFixed::AddOrSubtract(const DecimalFixed& x, bool subtracting) {
  assert(x.words_.size() == words_.size());
  const std::size_t from = std::min(lead_, x.lead_);
  std::uint64_t carry = 0;
  for (std::size_t i = words_.size(); i-- > from;) {
    if (subtracting) {
      const std::uint64_t take = x.words_[i] + carry;
      carry = words_[i] < take;
      words_[i] = carry ? words_[i] + (Base - take) : words_[i] - take;
    } else {
      // Each word is below 10^19, more than half of 2^64: the sum may not fit a word.
      const DoubleWord sum = DoubleWord{words_[i]} + x.words_[i] + carry;
      carry = sum >= Base;
      words_[i] = static_cast<std::uint64_t>(carry ? sum - Base : sum);
    }
  }
  assert(carry == 0 || (!subtracting && from > 0));
  if (carry != 0) ++words_[from - 1];
  lead_ = 0;
  while (lead_ < words_.size() && words_[lead_] == 0)
    ++lead_;
}

// The copy v lies within e units of its last word of the true value S, so S lies in
// [v - e, v + e]. Cutting a number to count digits keeps its order, so when v - e and v + e
// have the same first count digits, S has them too.
bool DecimalFixed::DigitsWithin(std::uint64_t error, std::int32_t count, std::string& text) const {
  assert(error < Base && count >= 0);
  if (static_cast<std::size_t>(count) > BaseDigits * (words_.size() - 1)) return false;
  std::vector<std::uint64_t> low = words_, high = words_;
  // low := v - e, high := v + e, with the borrow and the carry through the words above.
  std::uint64_t borrow = error, carry = error;
  for (std::size_t i = words_.size(); i-- > 0 && (borrow != 0 || carry != 0);) {
    const std::uint64_t l = low[i];
    low[i] = l >= borrow ? l - borrow : l + (Base - borrow);
    borrow = l < borrow;
    const DoubleWord h = DoubleWord{high[i]} + carry;
    carry = h >= Base;
    high[i] = static_cast<std::uint64_t>(carry ? h - Base : h);
  }
  if (borrow != 0 || carry != 0 || low[0] != 0 || high[0] != 0) return false;
  const auto whole = static_cast<std::size_t>(count / BaseDigits);
  const int part = count % BaseDigits;
  for (std::size_t i = 1; i <= whole; ++i) {
    if (low[i] != high[i]) return false;
  }
  if (part > 0) {
    const std::uint64_t cut = PowerOfTen(BaseDigits - part);
    if (low[whole + 1] / cut != high[whole + 1] / cut) return false;
  }
  text.assign(static_cast<std::size_t>(count), '0');
  for (std::size_t i = 0; i * BaseDigits < static_cast<std::size_t>(count); ++i) {
    std::uint64_t w = low[i + 1];
    for (int d = BaseDigits - 1; d >= 0; --d, w /= 10) {
      const std::size_t at = i * BaseDigits + static_cast<std::size_t>(d);
      if (at < text.size()) text[at] = static_cast<char>('0' + w % 10);
    }
  }
  return true;
}

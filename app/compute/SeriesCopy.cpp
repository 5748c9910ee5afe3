#include "SeriesCopy.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdint>
#include <string>

#include "TavoLong.h"

namespace {

// The words after the point of a copy that holds digits digits, and one word more so that the
// error of the last word rarely reaches the digits that are read.
int CopyWords(std::int32_t digits) {
  return (std::min(digits, MaxDecimalDigits) + DecimalWordDigits - 1) / DecimalWordDigits + 1;
}

}  // namespace

SeriesCopy::SeriesCopy(std::int32_t digits, std::uint32_t num, std::uint32_t den)
    : words_(CopyWords(digits)), sum_(words_, num, den), denominatorMantissa_(den) {}

void SeriesCopy::Add(const DecimalFixed& term, std::uint64_t termError) {
  sum_.Add(term);
  error_ += termError;
}

void SeriesCopy::Subtract(const DecimalFixed& term, std::uint64_t termError) {
  sum_.Subtract(term);
  error_ += termError;
}

// The product is rounded up to 32 bits each time, so the bound exceeds the denominator by a
// factor below (1 + 2^-31)^n after n factors: for the some thousands that a series takes, it
// has at most one bit more than the denominator.
void SeriesCopy::GrowDenominator(std::uint64_t factor) {
  assert(factor > 0 && factor >> 32 == 0);
  const std::uint64_t product = denominatorMantissa_ * factor;
  int cut = std::max(0, static_cast<int>(std::bit_width(product)) - 32);
  const std::uint64_t lost = product & ((std::uint64_t{1} << cut) - 1);
  denominatorMantissa_ = (product >> cut) + (lost != 0 ? 1 : 0);
  if (denominatorMantissa_ >> 32 != 0) {
    denominatorMantissa_ = (denominatorMantissa_ + 1) >> 1;
    ++cut;
  }
  denominatorExponent_ += cut;
}

// A denominator of at most MaxExpansionBits bits bounds the sum's own, which divides it.
bool SeriesCopy::Decides(std::int32_t count) const {
  const int bits = static_cast<int>(std::bit_width(denominatorMantissa_)) + denominatorExponent_;
  return count > 0 && bits <= MaxExpansionBits && sum_.DigitsWithin(error_, count);
}

bool SeriesCopy::DigitsFromCopy(std::int32_t count, std::string& text) {
  if (!Decides(count)) return false;
  text = CopyDigits(count);
  return true;
}

const std::string& SeriesCopy::CopyDigits(std::int32_t count) {
  sum_.UpdateDigits(count, text_);
  return text_;
}

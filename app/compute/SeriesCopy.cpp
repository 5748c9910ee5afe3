#include "SeriesCopy.h"

#include <algorithm>
#include <cmath>

#include "TavoLong.h"

namespace {

// The words after the point of a copy that holds digits digits, and one word more so that the
// error of the last word rarely reaches the digits that are read.
int CopyWords(std::int32_t digits) {
  return (std::min(digits, MaxDecimalDigits) + DecimalWordDigits - 1) / DecimalWordDigits + 1;
}

}  // namespace

SeriesCopy::SeriesCopy(std::int32_t digits, std::uint32_t num, std::uint32_t den)
    : words_(CopyWords(digits)),
      sum_(words_, num, den),
      denominatorBits_(std::log2(static_cast<double>(den))) {}

void SeriesCopy::Add(const DecimalFixed& term, std::uint64_t termError) {
  sum_.Add(term);
  error_ += termError;
}

void SeriesCopy::Subtract(const DecimalFixed& term, std::uint64_t termError) {
  sum_.Subtract(term);
  error_ += termError;
}

void SeriesCopy::GrowDenominator(std::uint64_t factor) {
  denominatorBits_ += std::log2(static_cast<double>(factor));
}

// The bound is a sum of some thousands of logarithms of words, within far less than a
// thousandth of a bit of the truth, which the margin covers. A denominator below it has at most
// MaxExpansionBits bits, and so has the sum's own, which divides it.
bool SeriesCopy::Decides(std::int32_t count) const {
  return count > 0 && denominatorBits_ + 0.001 < MaxExpansionBits &&
         sum_.DigitsWithin(error_, count);
}

const std::string& SeriesCopy::Digits(std::int32_t count) {
  sum_.UpdateDigits(count, text_);
  return text_;
}

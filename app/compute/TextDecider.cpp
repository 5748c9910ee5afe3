#include "TextDecider.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "TavoLong.h"

// The digits' words, and one word more so that the error of the last word rarely reaches the
// digits that are read.
int TextDecider::CopyWords(std::int32_t digits) {
  return (std::min(digits, MaxDecimalDigits) + DecimalWordDigits - 1) / DecimalWordDigits + 1;
}

TextDecider::TextDecider(std::int32_t digits, std::uint32_t num, std::uint32_t den)
    : sum_(CopyWords(digits), num, den), bound_(den) {}

void TextDecider::Add(const DecimalFixed& term, std::uint64_t termError) {
  sum_.Add(term);
  error_ += termError;
}

void TextDecider::Subtract(const DecimalFixed& term, std::uint64_t termError) {
  sum_.Subtract(term);
  error_ += termError;
}

// A denominator of at most MaxExpansionBits bits bounds the sum's own, which divides it.
bool TextDecider::Decides(std::int32_t count) const {
  return count > 0 && bound_.Bits() <= MaxExpansionBits && sum_.DigitsWithin(error_, count);
}

const std::string& TextDecider::CopyDigits(std::int32_t count) {
  sum_.UpdateDigits(count, text_);
  return text_;
}

#include "TextDecider.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "SeriesValue.h"
#include "TavoLong.h"

namespace {

// The digits below a text's last one to which its tail is summed: a tail that wide leaves one
// text in some 10^12 to the exact sum.
constexpr int TailGuardDigits = 12;

}  // namespace

TextDecider::TextDecider(SeriesValue value, std::uint32_t firstDen)
    : value_(std::move(value)), bound_(firstDen) {
  assert(value_.error < PowerOfTen(DecimalWordDigits));  // as DigitsOffset allows
  value_.value.WriteDigits(DecimalWordDigits * value_.value.FractionWords(), valueText_);
}

// A ratio term below 2^60 10^-j, j = count + 12 + P + 1, times a lead below 10^(P + 1), P its
// PlaceOfHigh(), lies below 10^-(count + 12). A term rounded up stays at least 1, the least
// that can be left out.
std::uint64_t TextDecider::NegligibleRatio(const DecimalBounds& lead, std::int32_t count) {
  const int j = count + TailGuardDigits + lead.PlaceOfHigh() + 1;
  if (j >= DecimalWordDigits) return 1;
  return DecimalBounds::RatioUnit / PowerOfTen(std::max(j, 0));
}

bool TextDecider::FromValue(std::int32_t count, const TailBounds& tail) {
  // The exact sum alone owns the overflow: the value answers only while the bound keeps that
  // sum's expansion plain long division within the capacity. For π and e the bound first passes
  // MaxExpansionBits at the very pass where the exact sum saturates (Capacity.h).
  if (bound_.Bits() > MaxExpansionBits) return false;
  const std::optional<std::int64_t> offset = value_.value.DigitsOffset(count, tail);
  if (!offset) return false;
  // text_ := the value's first count digits, then the offset added from the last one up.
  const auto size = static_cast<std::size_t>(count);
  const std::size_t kept = std::min(text_.size(), size);
  if (textChanged_ < kept)
    text_.replace(textChanged_, kept - textChanged_, valueText_, textChanged_, kept - textChanged_);
  if (size > text_.size()) {
    text_.append(valueText_, text_.size(), size - text_.size());
  } else {
    text_.resize(size);
  }
  textChanged_ = size;
  for (std::int64_t carry = *offset; carry != 0;) {
    // A sum outside [0, 1) has no such text; none of these series has one.
    if (textChanged_ == 0) return false;
    --textChanged_;
    const std::int64_t digit = text_[textChanged_] - '0' + carry;
    carry = digit >= 0 ? digit / 10 : -((9 - digit) / 10);
    text_[textChanged_] = static_cast<char>('0' + (digit - 10 * carry));
  }
  return true;
}

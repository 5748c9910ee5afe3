#include "ExpansionDecider.h"

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

// The digits below an expansion's last one to which its tail is summed: a tail that wide leaves
// one expansion in some 10^12 to the exact sum.
constexpr int TailGuardDigits = 12;

constexpr std::uint64_t Base = PowerOfTen(DecimalWordDigits);

// A whole number of units U = 10^-(count + 19) as whole 10^19s and a part below 10^19, so that
// floor(x / 10^19) is whole, also for an x below zero.
struct Units {
  std::int64_t whole = 0;
  std::uint64_t part = 0;
};

// The parts' sum may pass 2^64: the carry is found from what y.part leaves below 10^19.
Units operator+(Units x, Units y) {
  const bool carry = x.part >= Base - y.part;
  return {x.whole + y.whole + carry, carry ? x.part - (Base - y.part) : x.part + y.part};
}
Units operator-(Units x, Units y) {
  const bool borrow = x.part < y.part;
  return {x.whole - y.whole - borrow, borrow ? Base - y.part + x.part : x.part - y.part};
}

// A tail's mantissa m times 10^shift, shift at most 19, rounded down or up, in units.
Units InUnits(std::uint64_t m, int shift, bool up) {
  if (shift >= 0) {
    const std::uint64_t above = PowerOfTen(DecimalWordDigits - shift);
    return {static_cast<std::int64_t>(m / above), m % above * PowerOfTen(shift)};
  }
  const std::uint64_t p = shift >= -DecimalWordDigits ? PowerOfTen(-shift) : ~std::uint64_t{0};
  return {0, m / p + (up && m % p != 0 ? 1 : 0)};
}

}  // namespace

// In units U: the value is I 10^19 + F + f with I its first count digits, F the 19 after them and
// f in [0, 1), and an error of less than 10^19 units of its last word is less than one U
// (WordsToDecide). So v lies within [I 10^19 + F - 1, I 10^19 + F + 2), and v - t within
// [I 10^19 + lo, I 10^19 + hi) with lo and hi whole numbers of units, the tail's bounds rounded
// outward. Where lo div 10^19 and (hi - 1) div 10^19 agree, that quotient is q.
std::optional<std::int64_t> ExpansionOffset(const DecimalFixed& value, std::int32_t count,
                                            const TailBounds& tail) {
  assert(count >= 0);
  if (WordsToDecide(count) > value.FractionWords()) return std::nullopt;
  const DecimalBounds& m = tail.magnitude;
  const int shift = m.exponent + count + DecimalWordDigits;
  if (shift > DecimalWordDigits) return std::nullopt;
  const int i = count / DecimalWordDigits + 1;
  const int above = count % DecimalWordDigits;
  const Units f{0, value.WordAt(i) % PowerOfTen(DecimalWordDigits - above) * PowerOfTen(above) +
                       value.WordAt(i + 1) / PowerOfTen(DecimalWordDigits - above)};
  const Units one{0, 1}, low = InUnits(m.low, shift, false), high = InUnits(m.high, shift, true);
  const std::int64_t lo = (tail.negative ? f - one + low : f - one - high).whole;
  const std::int64_t hi = (tail.negative ? f + one + high : f + one - low).whole;
  if (lo != hi) return std::nullopt;
  return lo;
}

ExpansionDecider::ExpansionDecider(SeriesValue value, std::uint32_t firstDen)
    : value_(std::move(value)), bound_(firstDen) {
  assert(value_.error < Base);  // as ExpansionOffset allows
  value_.value.WriteDigits(DecimalWordDigits * value_.value.FractionWords(), valueDigits_);
}

// A ratio term below 2^60 10^-j, j = count + 12 + P + 1, times a lead below 10^(P + 1), P its
// PlaceOfHigh(), lies below 10^-(count + 12). A term rounded up stays at least 1, the least
// that can be left out.
std::uint64_t ExpansionDecider::NegligibleRatio(const DecimalBounds& lead, std::int32_t count) {
  const int j = count + TailGuardDigits + lead.PlaceOfHigh() + 1;
  if (j >= DecimalWordDigits) return 1;
  return DecimalBounds::RatioUnit / PowerOfTen(std::max(j, 0));
}

const std::string* ExpansionDecider::FromValue(std::int32_t count, const TailBounds& tail) {
  // The exact sum alone owns the overflow: the value answers only while the bound keeps that
  // sum's expansion plain long division, up to the pass where the sum saturates (Capacity.h).
  if (bound_.Bits() > MaxExpansionBits) return nullptr;
  const std::optional<std::int64_t> offset = ExpansionOffset(value_.value, count, tail);
  if (!offset) return nullptr;
  // expansion_ := the value's first count digits, then the offset added from the last one up.
  const auto size = static_cast<std::size_t>(count);
  const std::size_t kept = std::min(expansion_.size(), size);
  if (changed_ < kept)
    expansion_.replace(changed_, kept - changed_, valueDigits_, changed_, kept - changed_);
  if (size > expansion_.size()) {
    expansion_.append(valueDigits_, expansion_.size(), size - expansion_.size());
  } else {
    expansion_.resize(size);
  }
  changed_ = size;
  for (std::int64_t carry = *offset; carry != 0;) {
    // A sum outside [0, 1) has no such expansion; none of these series has one.
    if (changed_ == 0) return nullptr;
    --changed_;
    const std::int64_t digit = expansion_[changed_] - '0' + carry;
    carry = digit >= 0 ? digit / 10 : -((9 - digit) / 10);
    expansion_[changed_] = static_cast<char>('0' + (digit - 10 * carry));
  }
  return &expansion_;
}

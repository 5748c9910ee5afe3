// A bound from above on the common denominator of a series' terms, kept in a word.
#pragma once

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdint>

// mantissa 2^exponent, the mantissa below 2^32: at least the product of the factors it has
// grown by. Each product is rounded up to 32 bits, so after n factors the bound exceeds the
// product by a factor below (1 + 2^-31)^n: for the some thousands that a series takes, it has
// at most one bit more than the product. A plain value, constant-evaluated as well, so that the
// capacity's facts come from the very bound that the program keeps.
struct DenominatorBound {
  std::uint64_t mantissa;
  int exponent = 0;

  // The bound of a first denominator den >= 1.
  constexpr explicit DenominatorBound(std::uint32_t den) : mantissa(den) {}
  // The bound grows by factor, 0 < factor < 2^32.
  constexpr void Grow(std::uint64_t factor) {
    assert(factor > 0 && factor >> 32 == 0);
    const std::uint64_t product = mantissa * factor;
    int cut = std::max(0, static_cast<int>(std::bit_width(product)) - 32);
    const std::uint64_t lost = product & ((std::uint64_t{1} << cut) - 1);
    mantissa = (product >> cut) + (lost != 0 ? 1 : 0);
    if (mantissa >> 32 != 0) {
      mantissa = (mantissa + 1) >> 1;
      ++cut;
    }
    exponent += cut;
  }
  // The bits of the bound.
  constexpr int Bits() const { return static_cast<int>(std::bit_width(mantissa)) + exponent; }
};

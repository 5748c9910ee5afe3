// Bounds on a positive number in decimal floating point, rounded outward at every step, so that a
// chain of products and quotients by words ends with bounds that still hold its exact result.
// Constant-evaluated as well, for numbers worked out at compile time.
#pragma once

#include <cstdint>

// ceil(a / b), for b > 0 and a + b - 1 within a word: the quotients of upper bounds.
constexpr std::uint64_t DivideRoundingUp(std::uint64_t a, std::uint64_t b) {
  return (a + b - 1) / b;
}

// low 10^exponent <= x <= high 10^exponent. The mantissas stay below 10^18, and each operation
// leaves high 0 or at least 10^17. A product rounds the exact bounds outward by less than two
// parts in 10^17 of the high it leaves, a quotient by d by less than 2d parts.
struct DecimalBounds {
  std::uint64_t low, high;
  int exponent = 0;

  // 10^18, which the mantissas stay below.
  static constexpr std::uint64_t MantissaLimit = 1'000'000'000'000'000'000;

  // x := x * factor, 0 < factor <= 18 (so that the products fit a word).
  constexpr void Multiply(std::uint64_t factor) {
    low *= factor;
    high *= factor;
    Normalize();
  }
  // x := x / divisor, 0 < divisor.
  constexpr void Divide(std::uint64_t divisor) {
    Normalize();
    low /= divisor;
    high = DivideRoundingUp(high, divisor);
    Normalize();
  }
  // The ratios that Scale takes are fixed point with RatioPoint bits after the point: RatioUnit
  // stands for 1.
  static constexpr int RatioPoint = 60;
  static constexpr std::uint64_t RatioUnit = std::uint64_t{1} << RatioPoint;
  // x := x * f for an f within [fLow, fHigh] RatioUnits, fLow <= fHigh: low fLow and high fHigh
  // rounded outward, by less than four parts in 10^17 of high where fHigh is half a unit or more.
  void Scale(std::uint64_t fLow, std::uint64_t fHigh);

  // floor(log10(x)), or -1 where the bounds do not tell.
  constexpr int Place() const { return PlaceOf(low) == PlaceOf(high) ? PlaceOf(low) : -1; }
  // floor(log10(high 10^exponent)): x < 10^(PlaceOfHigh() + 1). high is not 0.
  constexpr int PlaceOfHigh() const { return PlaceOf(high); }

 private:
  constexpr int PlaceOf(std::uint64_t m) const {
    // A normalised mantissa has 18 digits.
    if (m >= MantissaLimit / 10 && m < MantissaLimit) return 17 + exponent;
    int digits = 0;
    for (; m != 0; m /= 10)
      ++digits;
    return digits - 1 + exponent;
  }
  constexpr void Normalize() {
    for (; high >= MantissaLimit; ++exponent) {
      low /= 10;
      high = high / 10 + (high % 10 != 0 ? 1 : 0);
    }
    for (; high != 0 && high < MantissaLimit / 10; --exponent) {
      low *= 10;
      high *= 10;
    }
  }
};

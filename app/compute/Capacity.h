// The capacity's facts for the computations, derived at compile time from MaxDigits: the pass of
// π and of e where a sum or its expansion first outgrows the capacity, and the places that π and
// every √n complete. The places that e completes are the program's own number, which only the
// digits tell; a bound checks it here.
#pragma once

#include <cstdint>

#include "DecimalBounds.h"
#include "DenominatorBound.h"
#include "Factorial.h"
#include "Machin.h"
#include "SettledDigits.h"
#include "TavoLong.h"

namespace capacity_facts {

// The first pass after which the bound on a common denominator of the series' sums has more than
// MaxExpansionBits bits. The bound asserts that each factor is below 2^32, as it needs, and an
// assert that fails stops a constant evaluation: a build with asserts checks every pass's.
template <class Series>
constexpr std::int32_t FirstPassBeyondExpansion() {
  DenominatorBound bound(Series::FirstDen);
  for (std::int32_t pass = 1;; ++pass) {
    bound.Grow(Series::DenominatorFactor(pass));
    if (bound.Bits() > MaxExpansionBits) return pass;
  }
}

// The place of the first significant digit of the term of pass j, floor(log10(1 / |t|)) for
// |t| = (16 239^k - 4 5^k) / (5^k 239^k k), which lies between k 5^k / 16 and k 5^k / 15; -1
// where the two bounds do not tell it.
constexpr int MachinTermPlace(std::int32_t pass) {
  const std::int32_t k = MachinOdd(pass);
  DecimalBounds above{static_cast<std::uint64_t>(k), static_cast<std::uint64_t>(k)};
  for (std::int32_t i = 0; i < k; ++i)
    above.Multiply(5);
  DecimalBounds below = above;
  above.Divide(16);
  below.Divide(15);
  return above.Place() == below.Place() ? above.Place() : -1;
}

// The steps of the longhand square root that no n below 2^16 takes beyond the capacity: after
// k - 1 steps root < 256 10^(k - 1) and rem <= 2 root, so step k's values, root 10, twice that
// and rem 100, lie below 5120 10^k; the largest k with 5120 10^k < 256^MaxDigits is
// floor(log10(256^MaxDigits / 5120)), no power of ten. -1 where the bounds do not tell it.
constexpr int SqrtStepsWithinCapacity() {
  DecimalBounds x{1, 1};
  for (int i = 0; i < MaxBits / 4; ++i)
    x.Multiply(16);
  x.Divide(5120);
  return x.Place();
}

}  // namespace capacity_facts

// The pass of π whose sum the capacity no longer holds: 1428. The value decides expansions while
// the bound on the common denominator has at most MaxExpansionBits bits, which lets through
// every pass before this one. The exact sum's denominator divides the bound and falls short of it
// by some twenty bits, what the sums cancel, so it outgrows the capacity at this very pass.
inline constexpr std::int32_t MachinSaturatingPass =
    capacity_facts::FirstPassBeyondExpansion<MachinSeries>();
// The places of π that the capacity holds: 1996. The sums of the last two passes within it
// differ by the last one's term, so they agree up to the place of its first digit, barring a
// carry; and a digit is printed once the digit after it has settled too.
inline constexpr std::int32_t MachinPlacesWithinCapacity =
    capacity_facts::MachinTermPlace(MachinSaturatingPass - 1) - 1;

// The pass of e, adding 1/3258!, whose sum's expansion the capacity no longer holds: 3257. Up to
// the pass before, the sum's denominator has at most MaxExpansionBits bits and its expansion is
// plain long division. 3258! itself, 33,327 bits, still fits, but ten times a remainder below it
// need not: the expansion's product by ten saturates.
inline constexpr std::int32_t FactorialSaturatingPass =
    capacity_facts::FirstPassBeyondExpansion<FactorialSeries>();
// The places of e that the capacity holds. From a few hundred passes on, the terms shrink faster
// than the settle scan moves, at most Lookahead places every two passes (it reads each expansion
// only as far as the one before went); where it stands after the last pass within the capacity
// depends on how the first expansions settled. So the number is the program's, which the digits
// hold in the tests, bounded here by that pace and by the digits of the last sum's expansion.
inline constexpr std::int32_t FactorialPlacesWithinCapacity = 8004;
static_assert(FactorialPlacesWithinCapacity <= Lookahead * (FactorialSaturatingPass - 1) / 2 &&
              FactorialPlacesWithinCapacity < MaxDecimalDigits);

// The places of √n that every n from 2 to 65535 completes: 10,029. Some n complete a few more,
// as far as their own values stay below the capacity.
inline constexpr std::int32_t SqrtPlacesWithinCapacity = capacity_facts::SqrtStepsWithinCapacity();

// The bounds tell π's last term's place and √'s steps.
static_assert(MachinPlacesWithinCapacity > 0 && SqrtPlacesWithinCapacity > 0);

// The capacity's facts for the series. Derived at compile time from MaxDigits and the growth of
// their numbers: the pass of π and the term of e where a sum or its expansion first outgrows the
// capacity, and the places that π completes. The places that e completes are the program's own
// number, which only the digits tell; a bound checks it here.
#pragma once

#include <cstdint>

#include "DecimalBounds.h"
#include "DenominatorBound.h"
#include "Machin.h"
#include "SettledDigits.h"
#include "TavoLong.h"

namespace capacity_facts {

// The first step i (i = 1, 2, ...) after which the bound on a common denominator that starts at
// first and grows by factor(i) has more than MaxExpansionBits bits (for e, i is k and 1! = 1).
template <class Factor>
constexpr std::int32_t FirstStepBeyondExpansion(std::uint32_t first, Factor factor) {
  DenominatorBound bound(first);
  for (std::int32_t i = 1;; ++i) {
    bound.Grow(factor(i));
    if (bound.Bits() > MaxExpansionBits) return i;
  }
}

// The place of the first significant digit of the term of the pass of k, floor(log10(1 / |t|)) for
// |t| = (16 239^k - 4 5^k) / (5^k 239^k k), which lies between k 5^k / 16 and k 5^k / 15; -1
// where the two bounds do not tell it.
constexpr int MachinTermPlace(std::int32_t k) {
  DecimalBounds above{static_cast<std::uint64_t>(k), static_cast<std::uint64_t>(k)};
  for (std::int32_t i = 0; i < k; ++i)
    above.Multiply(5);
  DecimalBounds below = above;
  above.Divide(16);
  below.Divide(15);
  return above.Place() == below.Place() ? above.Place() : -1;
}

}  // namespace capacity_facts

// The pass of π whose sum the capacity no longer holds: 1428. The value decides texts while the
// bound on the common denominator has at most MaxExpansionBits bits, which lets through every
// pass before this one. The exact sum's denominator divides the bound and falls short of it by
// some twenty bits, what the sums cancel, so it outgrows the capacity at this very pass.
inline constexpr std::int32_t MachinSaturatingPass = capacity_facts::FirstStepBeyondExpansion(
    MachinFirstDen, [](std::int32_t pass) { return MachinDenominatorFactor(2 * pass + 1); });
// The places of π that the capacity holds: 1996. The sums of the last two passes within it
// differ by the last one's term, so they agree up to the place of its first digit, barring a
// carry; and a digit is printed once the digit after it has settled too.
inline constexpr std::int32_t MachinPlacesWithinCapacity =
    capacity_facts::MachinTermPlace(2 * (MachinSaturatingPass - 1) + 1) - 1;

// The term 1/k! of e whose sum's expansion the capacity no longer holds: 3258. Up to 1/3257!
// the sum's denominator k! has at most MaxExpansionBits bits and its expansion is plain long
// division. 3258! itself, 33,327 bits, still fits, but ten times a remainder below it need not:
// the expansion's product by ten saturates.
inline constexpr std::int32_t FactorialSaturatingTerm = capacity_facts::FirstStepBeyondExpansion(
    1, [](std::int32_t k) { return static_cast<std::uint64_t>(k); });
// The places of e that the capacity holds. From a few hundred terms on, the terms shrink faster
// than the settle scan moves: it reads each text only as far as the one before went, Lookahead
// places past the next digit to print, and so moves at most Lookahead places every two terms. Where
// it stands after the last term within the capacity depends on how the first few hundred texts
// settled, which only the digits tell: the number is the program's, which the tests hold, and
// bounded here by that pace over the 3256 terms within the capacity and by the digits of the
// last sum's expansion.
inline constexpr std::int32_t FactorialPlacesWithinCapacity = 8004;
static_assert(FactorialPlacesWithinCapacity <= Lookahead * (FactorialSaturatingTerm - 2) / 2 &&
              FactorialPlacesWithinCapacity < MaxDecimalDigits);
// e's factors, k itself, are below 2^32 up to the term that saturates.
static_assert(std::uint64_t{FactorialSaturatingTerm} >> 32 == 0);

// The denominator's bound takes factors below 2^32, as π's are for every pass up to the one that
// saturates.
static_assert([] {
  for (std::int32_t pass = 1; pass <= MachinSaturatingPass; ++pass) {
    if (MachinDenominatorFactor(2 * pass + 1) >> 32 != 0) return false;
  }
  return true;
}());
// The bounds on π's last term within the capacity tell its place.
static_assert(MachinPlacesWithinCapacity > 0);

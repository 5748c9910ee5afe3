// The capacity's facts for the computations. Derived at compile time from MaxDigits and the
// growth of their numbers: the pass of π and the term of e where a sum or its expansion first
// outgrows the capacity, and the places that π and every √n complete. The places that e
// completes are the program's own number, which only the digits tell; a bound checks it here.
#pragma once

#include <cstdint>

#include "DecimalBounds.h"
#include "DenominatorBound.h"
#include "Machin.h"
#include "SettledDigits.h"
#include "TavoLong.h"

namespace capacity_facts {

// The first pass of π whose bound on the common denominator has more than bits bits.
constexpr std::int32_t FirstMachinPassBeyond(int bits) {
  DenominatorBound bound(MachinFirstDen);
  for (std::int32_t pass = 1;; ++pass) {
    bound.Grow(MachinDenominatorFactor(2 * pass + 1));
    if (bound.Bits() > bits) return pass;
  }
}

// The first k whose bound on k! has more than bits bits.
constexpr std::int32_t FirstFactorialBeyond(int bits) {
  DenominatorBound bound(1);
  for (std::int32_t k = 2;; ++k) {
    bound.Grow(static_cast<std::uint64_t>(k));
    if (bound.Bits() > bits) return k;
  }
}

// The place of the first significant digit of the term of pass k, floor(log10(1 / |t|)) for
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

// The places that the longhand square root of every n < 2^16 completes: a step multiplies the
// remainder, at most twice the root, by 100, and after k places the root is below 256 10^k.
// So every step up to place K stays within the capacity where 51,200 10^(K - 1) is at most
// 2^MaxBits; one more can outgrow it, as it does for n = 65535.
constexpr int SqrtPlaces() {
  DecimalBounds capacity{1, 1};
  for (int i = 0; i < MaxBits; ++i)
    capacity.Multiply(2);
  capacity.Divide(51200);
  return capacity.Place() + 1;
}

}  // namespace capacity_facts

// The pass of π whose sum the capacity no longer holds: 1428. The value decides texts while the
// bound on the common denominator has at most MaxExpansionBits bits, which lets through every
// pass before this one. The exact sum's denominator divides the bound and falls short of it by
// some twenty bits, what the sums cancel, so it outgrows the capacity at this very pass.
inline constexpr std::int32_t MachinSaturatingPass =
    capacity_facts::FirstMachinPassBeyond(MaxExpansionBits);
// The places of π that the capacity holds: 1996. The sums of the last two passes within it
// differ by the last one's term, so they agree up to the place of its first digit, barring a
// carry; and a digit is printed once the digit after it has settled too.
inline constexpr std::int32_t MachinPlacesWithinCapacity =
    capacity_facts::MachinTermPlace(2 * (MachinSaturatingPass - 1) + 1) - 1;

// The term 1/k! of e whose sum's expansion the capacity no longer holds: 3258. Up to 1/3257!
// the sum's denominator k! has at most MaxExpansionBits bits and its expansion is plain long
// division. 3258! itself, 33,327 bits, still fits, but ten times a remainder below it need not:
// the expansion's product by ten saturates.
inline constexpr std::int32_t FactorialSaturatingTerm =
    capacity_facts::FirstFactorialBeyond(MaxExpansionBits);
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

// The places of √n that the capacity holds whatever n is: 10,029.
inline constexpr std::int32_t SqrtPlacesWithinCapacity = capacity_facts::SqrtPlaces();
static_assert(SqrtPlacesWithinCapacity > 0);

#include "DecimalBounds.h"

#include <cassert>
#include <cstdint>

#include "DoubleWord.h"

// The products lie below 2^124; the ratio's 60 bits after the point are cut off, rounding
// outward, which leaves mantissas below 16 10^18 for Normalize to bring below 10^18.
void DecimalBounds::Scale(std::uint64_t fLow, std::uint64_t fHigh) {
  assert(fLow <= fHigh && high != 0);
  constexpr int Point = 60;
  Normalize();
  const DoubleWord lowProduct = DoubleWord{low} * fLow;
  const DoubleWord highProduct = DoubleWord{high} * fHigh;
  low = static_cast<Word>(lowProduct >> Point);
  high = static_cast<Word>(highProduct >> Point) +
         (static_cast<Word>(highProduct) << (WordBits - Point) != 0 ? 1 : 0);
  Normalize();
}

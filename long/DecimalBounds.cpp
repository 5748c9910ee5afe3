#include "DecimalBounds.h"

#include <cassert>
#include <cstdint>

#include "DoubleWord.h"

// The products lie below 2^124; the ratio's bits after the point are cut off, rounding outward,
// which leaves mantissas below 16 10^18 for Normalize to bring below 10^18.
void DecimalBounds::Scale(std::uint64_t fLow, std::uint64_t fHigh) {
  assert(fLow <= fHigh && high != 0);
  Normalize();
  const DoubleWord lowProduct = DoubleWord{low} * fLow;
  const DoubleWord highProduct = DoubleWord{high} * fHigh;
  low = static_cast<Word>(lowProduct >> RatioPoint);
  high = static_cast<Word>(highProduct >> RatioPoint) +
         (static_cast<Word>(highProduct) << (WordBits - RatioPoint) != 0 ? 1 : 0);
  Normalize();
}

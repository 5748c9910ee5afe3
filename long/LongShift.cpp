// Shifts of the magnitude by whole digits and by bits, in place.
#include <cassert>
#include <cstdint>
#include <cstring>

#include "DoubleWord.h"
#include "LongRecord.h"
#include "LongWords.h"
#include "TavoLong.h"

namespace {

// Zero and saturated values pass through every shift unchanged.
bool PassesUnchanged(const TLongNum& a) {
  assert(Normalized(a));
  return a.Overflowed || LongIsZero(a);
}

}  // namespace

void LongShiftLeftDigits(TLongNum& a, std::uint16_t n) {
  if (PassesUnchanged(a)) return;
  if (a.Len + n > MaxDigits) {
    LongSaturate(a);
    return;
  }
  LongShiftLeft(a, static_cast<std::uint16_t>(8 * n));
}

void LongShiftLeft(TLongNum& a, std::uint16_t bits) {
  if (PassesUnchanged(a)) return;
  const int len = (BitLength(a) + bits + 7) / 8;
  if (len > MaxDigits) {
    LongSaturate(a);
    return;
  }
  const int wordShift = bits / WordBits;
  const int bitShift = bits % WordBits;
  const int n = UsedWords(a);
  Word* w = WordsOf(a);
  if (bitShift == 0) {
    std::memmove(w + wordShift, w, sizeof(Word) * static_cast<unsigned>(n));
  } else {
    const Word out = WordsShiftLeft(w + wordShift, w, n, bitShift);
    if (out != 0) w[n + wordShift] = out;
  }
  ClearWords(a, 0, wordShift);
  FinishMagnitude(a, WordsForDigits(len), n, a.Sign);
}

void LongShiftRightDigits(TLongNum& a, std::uint16_t n) {
  if (PassesUnchanged(a)) return;
  if (a.Len <= n) {
    LongCopy(a, LongZero);
    return;
  }
  LongShiftRight(a, static_cast<std::uint16_t>(8 * n));
}

void LongShiftRight(TLongNum& a, std::uint16_t bits) {
  if (PassesUnchanged(a)) return;
  if (a.Len <= bits / 8) {
    LongCopy(a, LongZero);
    return;
  }
  const int wordShift = bits / WordBits;
  const int bitShift = bits % WordBits;
  const int n = UsedWords(a);
  const int kept = n - wordShift;
  Word* w = WordsOf(a);
  if (bitShift == 0) {
    std::memmove(w, w + wordShift, sizeof(Word) * static_cast<unsigned>(kept));
  } else {
    WordsShiftRight(w, w + wordShift, kept, bitShift);
  }
  FinishMagnitude(a, kept, n, a.Sign);
}

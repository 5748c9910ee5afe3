// The record's conversions, saturation, comparisons and negation.
#include "TavoLong.h"

#include <cassert>
#include <cstdint>

#include "DoubleWord.h"
#include "LongRecord.h"
#include "LongWords.h"

void LongFromInt(std::int32_t v, TLongNum& result) {
  const std::int64_t wide = v;
  const Word magnitude = static_cast<Word>(wide < 0 ? -wide : wide);
  ClearWords(result, 1, UsedWords(result));
  result.Digit.Word[0] = magnitude;
  result.Len = static_cast<std::uint16_t>(DigitLength(result.Digit.Word, 1));
  result.Sign = v < 0 ? -1 : 1;
  result.Overflowed = false;
}

bool LongToInt(const TLongNum& a, std::int32_t& v) {
  v = 0;
  const Word low = a.Digit.Word[0];
  if (a.Len <= 4 && low < 0x80000000u) {
    v = static_cast<std::int32_t>(low) * a.Sign;
    return true;
  }
  if (LongCompare(a, LongMinInt) == 0) {
    v = INT32_MIN;
    return true;
  }
  return false;
}

void LongSaturate(TLongNum& a) {
  LongCopy(a, MaxLongNum);
  NoteSaturation();
}

bool LongDividesWithinCapacity(const TLongNum& n) {
  assert(Normalized(n));
  return !n.Overflowed && BitLength(n) < MaxBits;
}

bool LongExpansionWithinCapacity(const TLongNum& den) {
  // With den below 2^(MaxBits - 5), ten times a remainder is below 16 den, itself below
  // 2^(MaxBits - 1).
  assert(Normalized(den));
  return !den.Overflowed && BitLength(den) <= MaxExpansionBits;
}

bool LongIsZero(const TLongNum& a) {
  return a.Len == 1 && a.Digit.Word[0] == 0;
}

std::int8_t LongCompareAbs(const TLongNum& a, const TLongNum& b) {
  assert(Normalized(a) && Normalized(b));
  if (a.Len != b.Len) return a.Len > b.Len ? 1 : -1;
  return static_cast<std::int8_t>(WordsCompare(WordsOf(a), WordsOf(b), UsedWords(a)));
}

std::int8_t LongCompare(const TLongNum& a, const TLongNum& b) {
  if (a.Sign != b.Sign) return a.Sign;
  return static_cast<std::int8_t>(LongCompareAbs(a, b) * a.Sign);
}

std::int8_t LongSign(const TLongNum& a) {
  return LongIsZero(a) ? 0 : a.Sign;
}

void LongNegate(TLongNum& a) {
  if (!LongIsZero(a)) a.Sign = static_cast<std::int8_t>(-a.Sign);
}

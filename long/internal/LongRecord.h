// Helpers shared by the record operations of TavoLong: moving magnitudes between records and
// word runs while keeping every slot above Len zero.
#pragma once

#include <bit>
#include <cassert>
#include <cstdint>
#include <cstring>

#include "DoubleWord.h"
#include "LongWords.h"
#include "TavoLong.h"

// The number of words that hold len digits.
constexpr int WordsForDigits(int len) {
  return (len + 7) / 8;
}

inline Word* WordsOf(TLongNum& a) {
  return a.Digit.Word;
}
inline const Word* WordsOf(const TLongNum& a) {
  return a.Digit.Word;
}
// The words that a's digits use.
inline int UsedWords(const TLongNum& a) {
  assert(a.Len >= 1 && a.Len <= MaxDigits);
  return WordsForDigits(a.Len);
}

// The invariants of a record (TavoLong.h) that can be checked in constant time, for asserts:
// Len within the capacity, Sign +1 or -1, a non-zero top digit unless the value is zero,
// nothing in the slots above Len in its top word nor in the word after it, and Overflowed
// only with every slot in use.
inline bool Normalized(const TLongNum& a) {
  if (a.Len < 1 || a.Len > MaxDigits || (a.Sign != 1 && a.Sign != -1)) return false;
  if (a.Len > 1 && a.Digit[a.Len - 1u] == 0) return false;
  if (a.Overflowed && a.Len != MaxDigits) return false;
  const int n = WordsForDigits(a.Len);
  const int usedInTop = a.Len % 8;
  if (usedInTop != 0 && a.Digit.Word[n - 1] >> (8 * usedInTop) != 0) return false;
  return n == WordSlots || a.Digit.Word[n] == 0;
}

// The digits that the n words w[0..n) use, at least 1 (a zero has one digit).
inline int DigitLength(const Word* w, int n) {
  n = WordsTrim(w, n);
  if (n == 0) return 1;
  return 8 * (n - 1) + (WordBits - std::countl_zero(w[n - 1]) + 7) / 8;
}

// The number of bits of the magnitude of a (0 for zero).
inline int BitLength(const TLongNum& a) {
  const int n = UsedWords(a);
  const Word top = a.Digit.Word[n - 1];
  return top == 0 ? 0 : WordBits * (n - 1) + WordBits - std::countl_zero(top);
}

// Clears a.Digit.Word[from..to).
inline void ClearWords(TLongNum& a, int from, int to) {
  if (to > from)
    std::memset(a.Digit.Word + from, 0, sizeof(Word) * static_cast<unsigned>(to - from));
}

// dst := src, touching only the words that either of them uses.
inline void LongCopy(TLongNum& dst, const TLongNum& src) {
  assert(Normalized(src));
  if (&dst == &src) return;
  const int n = UsedWords(src);
  const int old = UsedWords(dst);
  for (int i = 0; i < n; ++i)
    dst.Digit.Word[i] = src.Digit.Word[i];
  ClearWords(dst, n, old);
  dst.Len = src.Len;
  dst.Sign = src.Sign;
  dst.Overflowed = src.Overflowed;
}

// Sets OverflowFlag, as every saturation does: alone where no record keeps the saturated value.
inline void NoteSaturation() {
  OverflowFlag = true;
}

// The rule for saturated operands, which every two-operand operation goes through first: when
// a or b is saturated, each result record given (second may be null) becomes MaxLongNum,
// without computing and without touching OverflowFlag, and the answer is true.
inline bool SaturatedOperand(const TLongNum& a, const TLongNum& b, TLongNum* result,
                             TLongNum* second = nullptr) {
  if (!a.Overflowed && !b.Overflowed) return false;
  if (result != nullptr) LongCopy(*result, MaxLongNum);
  if (second != nullptr) LongCopy(*second, MaxLongNum);
  return true;
}
// The same rule for the operations of one record and a word.
inline bool SaturatedOperand(const TLongNum& a, TLongNum* result) {
  return SaturatedOperand(a, a, result);
}

// True when a division of n by the non-zero d[0..nd) (trimmed) is beyond the capacity of the
// division, and so saturates: n has the full width and d, shifted up to n's top bit, is not
// above it. (The quotient then has as many bits as n less d, plus one: the longhand division
// that the arithmetic follows would need a digit beyond the capacity.)
inline bool QuotientBeyondCapacity(const TLongNum& n, const Word* d, int nd) {
  if (BitLength(n) != MaxBits) return false;
  const int shift = MaxBits - (WordBits * nd - std::countl_zero(d[nd - 1]));
  for (int i = UsedWords(n) - 1; i >= 0; --i) {
    const Word shifted = WordsWindow(d, nd, WordBits * i - shift);
    if (shifted != n.Digit.Word[i]) return shifted < n.Digit.Word[i];
  }
  return true;
}

// Completes a result whose magnitude has just been written into a.Digit.Word[0..n): clears
// the words from n up to oldWords (what a used before), sets Len, Sign and Overflowed, and
// saturates when the magnitude needs more than MaxDigits digits.
inline void FinishMagnitude(TLongNum& a, int n, int oldWords, std::int8_t sign) {
  ClearWords(a, n, oldWords);
  const int len = DigitLength(a.Digit.Word, n);
  if (len > MaxDigits) {
    LongSaturate(a);
    return;
  }
  a.Len = static_cast<std::uint16_t>(len);
  a.Sign = sign;
  a.Overflowed = false;
  assert(Normalized(a));
}

// a := the magnitude w[0..n) with the given sign, saturating when it needs more than MaxDigits
// digits; n may exceed WordSlots when the top words are zero. w must not be a's own words
// unless it is exactly them.
inline void StoreMagnitude(TLongNum& a, const Word* w, int n, std::int8_t sign) {
  n = WordsTrim(w, n);
  if (n == 0) n = 1;
  if (DigitLength(w, n) > MaxDigits) {
    LongSaturate(a);
    return;
  }
  const int old = UsedWords(a);
  Word* dst = a.Digit.Word;
  if (dst != w) {
    for (int i = 0; i < n; ++i)
      dst[i] = w[i];
  }
  FinishMagnitude(a, n, old, sign);
}

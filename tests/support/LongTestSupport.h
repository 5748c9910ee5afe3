// Helpers for testing TLongNum against GMP with GoogleTest: a whole-record comparison that
// also checks the record's invariants, and a generator of awkward operands.
#pragma once

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "LongGmp.h"
#include "TavoLong.h"

namespace longtest {

// The record equals the expected one in every field and every digit slot, padding included.
inline ::testing::AssertionResult SameRecord(const TLongNum& actual, const TLongNum& expected) {
  const std::string difference = RecordDifference(actual, expected);
  if (difference.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << difference;
}

// Operands that reach the corners of the arithmetic: every length up to the capacity, words
// of all ones and of zeros that make carries and borrows ripple, powers of 256, zeros with
// either Sign, and saturated values.
class OperandSource {
 public:
  explicit OperandSource(std::uint64_t seed) : rng_(seed) {}

  int Below(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }

  // A digit length, most often small, near a word boundary or near the capacity.
  int Length() {
    switch (Below(6)) {
      case 0:
        return 1 + Below(24);
      case 1:
        return MaxDigits - Below(24);
      case 2:
        return 8 * (1 + Below(MaxDigits / 8)) + Below(3) - 1;
      default:
        return 1 + Below(MaxDigits);
    }
  }

  // A magnitude of exactly len digits (len >= 1), built from a mix of word patterns.
  mpz_class MagnitudeOfLength(int len) {
    TLongNum r;
    const int pattern = Below(8);
    for (int i = 0; i < len; ++i)
      r.Digit[i] = Digit(pattern);
    while (r.Digit[len - 1] == 0)
      r.Digit[len - 1] = static_cast<std::uint8_t>(rng_());
    r.Len = static_cast<std::uint16_t>(len);
    return Magnitude(r);
  }

  // A non-saturated value of the given length and a random sign.
  mpz_class ValueOfLength(int len) {
    const mpz_class m = MagnitudeOfLength(len);
    return Below(2) == 0 ? m : mpz_class(-m);
  }

  // Any operand, saturated ones and zeros with Sign -1 included.
  TLongNum Operand() {
    switch (Below(40)) {
      case 0:
        return MaxLongNum;
      case 1:
        return NegatedMax();
      case 2:
        return LongZero;
      case 3:
        return Record(0, -1);
      case 4:
        return FromValue(Below(2) == 0 ? 1 : -1);
      case 5:
        return FromValue(mpz_class(1) << (8 * (Length() - 1)));
      case 6:
        return FromValue(Capacity() - 1);
      default:
        return FromValue(ValueOfLength(Length()));
    }
  }

  std::mt19937_64& Engine() { return rng_; }

 private:
  std::uint8_t Digit(int pattern) {
    const std::uint64_t r = rng_();
    switch (pattern) {
      case 0:
        return 0xFF;
      case 1:  // runs of 0xFF and 0x00
        return (r & 7) == 0 ? 0x00 : 0xFF;
      case 2:
        return (r & 7) == 0 ? 0xFF : 0x00;
      case 3:  // words with only their top bit
        return (r & 15) == 0 ? 0x80 : 0x00;
      default:
        return static_cast<std::uint8_t>(r);
    }
  }

  std::mt19937_64 rng_;
};

}  // namespace longtest

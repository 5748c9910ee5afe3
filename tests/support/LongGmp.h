// TLongNum and GMP integers: conversions both ways and a plain comparison of records.
#pragma once

#include <gmp.h>
#include <gmpxx.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ios>
#include <sstream>
#include <string>

#include "TavoLong.h"

namespace longtest {

// 2^MaxBits: the first magnitude that no longer fits.
inline const mpz_class& Capacity() {
  static const mpz_class capacity = mpz_class(1) << MaxBits;
  return capacity;
}

// The digits' words, least significant first, each in the CPU's own byte order.
inline mpz_class Magnitude(const TLongNum& a) {
  mpz_class z;
  mpz_import(z.get_mpz_t(), (a.Len + 7u) / 8, -1, sizeof a.Digit.Word[0], 0, 0, a.Digit.Word);
  return z;
}

// A word as a GMP integer, whatever the width of the platform's long.
inline mpz_class FromWord(std::uint64_t w) {
  mpz_class z;
  mpz_import(z.get_mpz_t(), 1, -1, sizeof w, 0, 0, &w);
  return z;
}

// The signed value; a saturated record counts as its plain digits.
inline mpz_class Value(const TLongNum& a) {
  return a.Sign < 0 ? mpz_class(-Magnitude(a)) : Magnitude(a);
}

// A normalized record with magnitude |m| and the given Sign field; m must fit.
inline TLongNum Record(const mpz_class& m, int sign) {
  TLongNum r;
  const mpz_class magnitude = abs(m);
  mpz_export(r.Digit.Word, nullptr, -1, sizeof r.Digit.Word[0], 0, 0, magnitude.get_mpz_t());
  const std::size_t bits = magnitude == 0 ? 1 : mpz_sizeinbase(magnitude.get_mpz_t(), 2);
  r.Len = static_cast<std::uint16_t>((bits + 7) / 8);
  r.Sign = static_cast<std::int8_t>(sign);
  return r;
}

// A record of the signed value v (Sign +1 for zero).
inline TLongNum FromValue(const mpz_class& v) {
  return Record(v, v < 0 ? -1 : 1);
}

inline TLongNum NegatedMax() {
  TLongNum r = MaxLongNum;
  r.Sign = -1;
  return r;
}

inline std::string Describe(const TLongNum& a) {
  std::string s = "Len " + std::to_string(a.Len) + " Sign " + std::to_string(a.Sign) +
                  (a.Overflowed ? " Overflowed" : "");
  if (a.Len <= 40) s += " value " + Value(a).get_str(16);
  return s;
}

// What tells the record actual from the one expected, in every field and every digit slot,
// padding included; empty when they agree.
inline std::string RecordDifference(const TLongNum& actual, const TLongNum& expected) {
  if (actual.Len != expected.Len || actual.Sign != expected.Sign ||
      actual.Overflowed != expected.Overflowed) {
    return "got " + Describe(actual) + ", expected " + Describe(expected);
  }
  for (int i = 0; i < WordSlots; ++i) {
    if (actual.Digit.Word[i] != expected.Digit.Word[i]) {
      std::ostringstream s;
      s << "word " << i << " differs (" << std::hex << actual.Digit.Word[i] << " against "
        << expected.Digit.Word[i] << "); got " << Describe(actual);
      return s.str();
    }
  }
  return {};
}

}  // namespace longtest

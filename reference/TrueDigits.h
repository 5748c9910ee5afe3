// The true decimal digits of π, e and √n after the point, computed with GMP in fixed point.
#pragma once

#include <gmp.h>
#include <gmpxx.h>

#include <string>

namespace truedigits {

// The integer part of √n.
inline unsigned IntegerRoot(unsigned n) {
  unsigned r = 0;
  while ((r + 1) * (r + 1) <= n)
    ++r;
  return r;
}

inline mpz_class PowerOfTen(unsigned long e) {
  mpz_class p;
  mpz_ui_pow_ui(p.get_mpz_t(), 10, e);
  return p;
}

// The digits of value / 10^count as exactly count characters, zeros in front.
inline std::string Padded(const mpz_class& value, unsigned long count) {
  if (count == 0) return {};
  const std::string digits = value.get_str();
  return std::string(count - digits.size(), '0') + digits;
}

// arctan(1/x) times one, within one unit per term summed (a term below one unit ends the sum).
inline mpz_class ArctanOfInverse(unsigned long x, const mpz_class& one) {
  mpz_class sum = 0, power = one / x;
  const mpz_class x2 = x * x;
  for (unsigned long j = 0; power != 0; ++j) {
    const mpz_class term = power / (2 * j + 1);
    if (j % 2 == 0) {
      sum += term;
    } else {
      sum -= term;
    }
    power /= x2;
  }
  return sum;
}

// (π - 3) times one, by Machin's formula, within 20 units per term of each series summed.
inline mpz_class PiMinusThree(const mpz_class& one) {
  return 16 * ArctanOfInverse(5, one) - 4 * ArctanOfInverse(239, one) - 3 * one;
}

// (e - 2) times one, from the series 1/2! + 1/3! + ..., within one unit per term summed.
inline mpz_class EMinusTwo(const mpz_class& one) {
  mpz_class term = one, value = 0;
  for (unsigned long k = 2; term != 0; ++k) {
    term /= k;
    value += term;
  }
  return value;
}

// Digits of π after the point, with thirty guard digits.
inline std::string Pi(unsigned long count) {
  const unsigned long guard = 30;
  return Padded(PiMinusThree(PowerOfTen(count + guard)) / PowerOfTen(guard), count);
}

// Digits of e after the point, with thirty guard digits.
inline std::string E(unsigned long count) {
  const unsigned long guard = 30;
  return Padded(EMinusTwo(PowerOfTen(count + guard)) / PowerOfTen(guard), count);
}

// Digits of √n after the point, truncated.
inline std::string Sqrt(unsigned long n, unsigned long count) {
  const mpz_class scaled = n * PowerOfTen(2 * count);
  mpz_class root;
  mpz_sqrt(root.get_mpz_t(), scaled.get_mpz_t());
  return Padded(root % PowerOfTen(count), count);
}

}  // namespace truedigits

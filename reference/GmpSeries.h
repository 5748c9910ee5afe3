// π, e and √n computed with GMP by the same steps as the program: the same passes over the
// same exact sums, the digit text of every partial sum, and the program's own settle scan.
// Used to check the program's sums and digit texts, and to time GMP doing the same work.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "DigitSink.h"
#include "SettledDigits.h"
#include "TrueDigits.h"

namespace gmpseries {

// The first count digits of num / den after the point (0 <= num < den), zero-padded.
inline std::string DigitText(const mpz_class& num, const mpz_class& den, long count) {
  if (count <= 0) return {};
  const auto n = static_cast<unsigned long>(count);
  return truedigits::Padded(num * truedigits::PowerOfTen(n) / den, n);
}

// Called with each digit the moment it is printed.
using DigitHook = std::function<void(char)>;

// What a computation printed and the digit text it left.
struct Printed : DigitSink {
  std::string digits;
  std::string digitString;
  DigitHook hook;

  explicit Printed(DigitHook h) : hook(std::move(h)) {}
  void PiHeader() override {}
  void EHeader() override {}
  void SqrtHeader(unsigned, unsigned) override {}
  void Digits(std::string_view found) override {
    for (const char digit : found) {
      digits += digit;
      if (hook) hook(digit);
    }
  }
};

// Takes each partial sum of a series, num / den, and says whether to go on.
using SumPass = std::function<bool(const mpz_class& num, const mpz_class& den)>;

// Machin's formula, 16 arctan(1/5) - 4 arctan(1/239) - 3, over reduced fractions (mpq).
inline void PiPasses(const SumPass& pass) {
  const mpq_class ratio5(-1, 25), ratio239(-1, 57121);
  mpq_class term5(16, 5), term239(-4, 239);
  mpq_class sum = term5 + term239 - 3;
  for (long k = 3;; k += 2) {
    term5 *= ratio5;
    term239 *= ratio239;
    sum += (term5 + term239) / k;
    if (!pass(sum.get_num(), sum.get_den())) return;
  }
}

// e - 2 as the unreduced sum of 1/k! over k!.
inline void EPasses(const SumPass& pass) {
  mpz_class num = 0, den = 1;
  for (unsigned long k = 2;; ++k) {
    den *= k;
    num = num * k + 1;
    if (!pass(num, den)) return;
  }
}

// The passes of π or e as the program makes them: the digit text of each partial sum five
// digits past the next one to print, and the program's settle scan, until the places are out.
inline Printed Settled(void (*passes)(const SumPass&), unsigned places, DigitHook hook) {
  Printed out(std::move(hook));
  SettledDigits settled;
  passes([&](const mpz_class& num, const mpz_class& den) {
    out.digitString = DigitText(num, den, settled.NextPosition() + 5);
    settled.Scan(out.digitString, out);
    return settled.NextPosition() <= static_cast<std::int32_t>(places);
  });
  return out;
}

inline Printed Pi(unsigned places, DigitHook hook = nullptr) {
  return Settled(PiPasses, places, std::move(hook));
}

inline Printed E(unsigned places, DigitHook hook = nullptr) {
  return Settled(EPasses, places, std::move(hook));
}

// The square root of n by the longhand steps: root and rem times 10 and 100, then the odd
// increments subtracted until the remainder would go negative.
inline Printed Sqrt(unsigned n, unsigned places, DigitHook hook = nullptr) {
  const unsigned r = truedigits::IntegerRoot(n);
  mpz_class root = r, rem = n - r * r, twice, cur;
  Printed out(std::move(hook));
  for (unsigned k = 0; k < places; ++k) {
    root *= 10;
    rem *= 100;
    twice = root * 2;
    cur = rem;
    unsigned long d = 0;
    do {
      ++d;
      rem = cur;
      cur = rem - twice;
      cur -= 2 * d - 1;
    } while (sgn(cur) >= 0);
    root += d - 1;
    const char digit = static_cast<char>('0' + d - 1);
    out.digitString += digit;
    out.Digits(std::string_view(&digit, 1));
  }
  return out;
}

}  // namespace gmpseries

// π, e and √n computed with GMP by the same steps as the program: the same passes over the
// same exact sums, the digit text of every partial sum, the same settle scan. Used to check
// the program's output digit for digit, and to time GMP doing the same work.
#pragma once

#include <gmpxx.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

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
struct Printed {
  std::string digits;
  std::string digitString;
  DigitHook hook;

  void Print(char digit) {
    digits += digit;
    if (hook) hook(digit);
  }
};

// Prints what has settled between two consecutive digit texts; advances pos.
inline void Settle(const std::string& previous, const std::string& current, long& pos,
                   Printed& out) {
  const long known = static_cast<long>(std::min(previous.size(), current.size()));
  while (pos + 1 <= known && previous[pos - 1] == current[pos - 1] &&
         previous[pos] == current[pos]) {
    out.Print(current[pos - 1]);
    ++pos;
  }
}

// π by Machin's formula over reduced fractions (mpq), as many passes as the program makes.
inline Printed Pi(unsigned places, DigitHook hook = nullptr) {
  const mpq_class ratio5(-1, 25), ratio239(-1, 57121);
  mpq_class term5(16, 5), term239(-4, 239);
  mpq_class sum = term5 + term239 - 3;
  Printed out{"", "1", std::move(hook)};
  long pos = 1;
  for (long k = 3;; k += 2) {
    term5 *= ratio5;
    term239 *= ratio239;
    sum += (term5 + term239) / k;
    std::string text = DigitText(sum.get_num(), sum.get_den(), pos + 5);
    Settle(out.digitString, text, pos, out);
    out.digitString.swap(text);
    if (pos > static_cast<long>(places)) return out;
  }
}

// e - 2 as the unreduced sum of 1/k! over k!.
inline Printed E(unsigned places, DigitHook hook = nullptr) {
  mpz_class num = 0, den = 1;
  Printed out{"", "1", std::move(hook)};
  long pos = 1;
  for (unsigned long k = 2;; ++k) {
    den *= k;
    num = num * k + 1;
    std::string text = DigitText(num, den, pos + 5);
    Settle(out.digitString, text, pos, out);
    out.digitString.swap(text);
    if (pos > static_cast<long>(places)) return out;
  }
}

// The square root of n by the longhand steps: root and rem times 10 and 100, then the odd
// increments subtracted until the remainder would go negative.
inline Printed Sqrt(unsigned n, unsigned places, DigitHook hook = nullptr) {
  const unsigned r = truedigits::IntegerRoot(n);
  mpz_class root = r, rem = n - r * r, twice, cur;
  Printed out{"", "", std::move(hook)};
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
    out.Print(digit);
  }
  return out;
}

}  // namespace gmpseries

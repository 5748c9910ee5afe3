// The offset of an expansion read from a series' value, against GMP's rationals: driven by the
// arithmetic fuzzer and by the seeded tests alike.
#pragma once

#include <gmp.h>
#include <gmpxx.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ArithCheck.h"
#include "DecimalBounds.h"
#include "DecimalFixed.h"
#include "ExpansionDecider.h"
#include "TrueDigits.h"

namespace arithcheck {

// A value from a DecimalCase, within error units of its last word of the truth, less a tail;
// the offset of its first count digits.
struct OffsetCase {
  DecimalCase value;
  std::uint64_t error;
  int count;
  TailBounds tail;
};

// The offset must be right where it is given, and be given wherever every number within the
// error and the tail has the same first count digits, more than three units of 10^-(count + 19)
// inside them, two words lie below the cut and the tail's unit lies below the cut's.
inline void CheckOffset(const OffsetCase& c,
                        const std::function<void(const std::string&)>& report) {
  const auto power = [](int e) { return truedigits::PowerOfTen(static_cast<unsigned long>(e)); };
  mpz_class value;
  const DecimalFixed x = Checker(report).Decimal(c.value, value);
  const mpz_class unit = power(19 * c.value.words);
  // The numbers at either end, and where their first count digits fall.
  const mpq_class error(FromWord(c.error), unit), low = mpq_class(value, unit) - error;
  const mpq_class high = mpq_class(value, unit) + error;
  const DecimalBounds& m = c.tail.magnitude;
  const mpq_class tailLow = DecimalValue(m.low, m.exponent);
  const mpq_class tailHigh = DecimalValue(m.high, m.exponent);
  const mpq_class first = c.tail.negative ? mpq_class(low + tailLow) : mpq_class(low - tailHigh);
  const mpq_class last = c.tail.negative ? mpq_class(high + tailHigh) : mpq_class(high - tailLow);
  const auto floorOf = [&](const mpq_class& v) {
    mpz_class f;
    mpz_fdiv_q(f.get_mpz_t(), mpz_class(v.get_num() * power(c.count)).get_mpz_t(),
               v.get_den().get_mpz_t());
    return f;
  };
  const mpz_class own = value * power(c.count) / unit, q = floorOf(first) - own;
  const mpq_class margin(3, power(c.count + 19));
  const bool same = floorOf(first) == floorOf(last);
  const bool clear = floorOf(first - margin) == floorOf(last + margin) &&
                     c.count <= 19 * (c.value.words - 2) && m.exponent + c.count <= 0;
  const std::optional<std::int64_t> offset = ExpansionOffset(x, c.count, c.tail);
  // In decimal, since a long, which GMP converts, may have 32 bits.
  if (offset && !(same && mpz_class(std::to_string(*offset)) == q)) report("ExpansionOffset wrong");
  if (!offset && clear) report("ExpansionOffset not given");
}

}  // namespace arithcheck

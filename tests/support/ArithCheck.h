// The one checker of the arithmetic of TavoLong and TavoLongBunsuu, driven by the arithmetic
// fuzzer and by the seeded tests alike: each check runs an operation with its results in
// every arrangement of records that the contracts allow, and holds record and OverflowFlag
// against GMP and the saturation rules. What differs goes to the caller's report.
#pragma once

#include <gmp.h>
#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "DecimalFixed.h"
#include "LongGmp.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"
#include "TrueDigits.h"
#include "internal/DoubleWord.h"

namespace arithcheck {

using longtest::Capacity;
using longtest::FromValue;
using longtest::FromWord;
using longtest::Magnitude;
using longtest::Record;
using longtest::RecordDifference;
using longtest::Value;

// What each operation should give: the values come from GMP, and the few lines of each
// model say what becomes of signs, zeros and saturation.

// What an operation should leave: the record, and whether it sets OverflowFlag.
struct Outcome {
  TLongNum value;
  bool flag;
};

inline Outcome Saturates() {
  return {MaxLongNum, true};
}
inline Outcome PassesSaturated() {
  return {MaxLongNum, false};
}
inline Outcome Exactly(const TLongNum& value) {
  return {value, false};
}

// A magnitude with the given Sign field, or saturation when it does not fit.
inline Outcome Fits(const mpz_class& magnitude, int sign) {
  if (magnitude >= Capacity()) return Saturates();
  return Exactly(Record(magnitude, sign));
}

inline int SignOf(const mpz_class& v) {
  return sgn(v) < 0 ? -1 : 1;
}
inline int Bits(const mpz_class& m) {
  return m == 0 ? 0 : static_cast<int>(mpz_sizeinbase(m.get_mpz_t(), 2));
}

// The sum of the signed values a and b', where b' is b with Sign bSign.
inline Outcome ModelSignedSum(const TLongNum& a, const TLongNum& b, int bSign) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  const mpz_class sum = Value(a) + (bSign < 0 ? mpz_class(-Magnitude(b)) : Magnitude(b));
  // Two zeros of one Sign keep it; a sum that cancels is LongZero.
  const int zeroSign = a.Sign == bSign ? a.Sign : 1;
  return Fits(abs(sum), sum != 0 ? SignOf(sum) : zeroSign);
}

inline Outcome ModelAdd(const TLongNum& a, const TLongNum& b) {
  return ModelSignedSum(a, b, b.Sign);
}

inline Outcome ModelSub(const TLongNum& a, const TLongNum& b) {
  return ModelSignedSum(a, b, LongIsZero(b) ? b.Sign : -b.Sign);
}

inline Outcome ModelAddAbs(const TLongNum& a, const TLongNum& b) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  return Fits(Magnitude(a) + Magnitude(b), a.Sign);
}

inline Outcome ModelSubAbs(const TLongNum& a, const TLongNum& b) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  const mpz_class d = Magnitude(a) - Magnitude(b);
  return Fits(abs(d), d >= 0 ? a.Sign : -a.Sign);
}

// A product with a zero is LongZero; any other saturates exactly when it does not fit.
inline Outcome ModelMul(const TLongNum& a, const TLongNum& b) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  const mpz_class product = Magnitude(a) * Magnitude(b);
  if (product == 0) return Exactly(LongZero);
  return Fits(product, a.Sign * b.Sign);
}

// Division is beyond the capacity when the dividend has the full width and the divisor,
// shifted up to the dividend's top bit, is not above it.
inline bool BeyondCapacity(const mpz_class& n, const mpz_class& d) {
  const int bits = Bits(n);
  return bits == MaxBits && mpz_class(d << (bits - Bits(d))) <= n;
}

struct DivisionOutcome {
  Outcome q, r;
};

// quotientWanted tells LongMod (false) from LongDiv and LongDivMod, which differ only in
// what a zero divisor does to the remainder.
inline DivisionOutcome ModelDivision(const TLongNum& n, const TLongNum& d, bool quotientWanted) {
  if (n.Overflowed || d.Overflowed) return {PassesSaturated(), PassesSaturated()};
  if (LongIsZero(d)) {
    return {Saturates(), quotientWanted ? Exactly(LongZero) : Saturates()};
  }
  const int qSign = n.Sign * d.Sign;
  const mpz_class mn = Magnitude(n);
  const mpz_class md = Magnitude(d);
  if (mn == md) return {Exactly(Record(1, qSign)), Exactly(LongZero)};
  if (mn < md) return {Exactly(Record(0, qSign)), Exactly(n)};
  if (BeyondCapacity(mn, md)) return {Saturates(), Saturates()};
  return {Exactly(Record(mn / md, qSign)), Exactly(Record(mn % md, n.Sign))};
}

inline Outcome ModelGcd(const TLongNum& a, const TLongNum& b) {
  if (a.Overflowed || b.Overflowed) return PassesSaturated();
  mpz_class large = Magnitude(a);
  mpz_class small = Magnitude(b);
  if (large < small) swap(large, small);
  if (small == 0 || small == large) return Exactly(Record(large, 1));
  if (BeyondCapacity(large, small)) return Saturates();
  return Exactly(Record(gcd(large, small), 1));
}

// The magnitude shifted by a count of bits, or the record unchanged for zero and saturated
// values; right shifts that leave nothing give LongZero.
inline Outcome ModelShift(const TLongNum& a, int bits, bool left) {
  if (LongIsZero(a) || a.Overflowed) return Exactly(a);
  if (left) return Fits(Magnitude(a) << bits, a.Sign);
  if (a.Len <= bits / 8) return Exactly(LongZero);
  return Exactly(Record(Magnitude(a) >> bits, a.Sign));
}

// A fraction of two values, as written.
inline TBunsuu F(const mpz_class& num, const mpz_class& den) {
  return {FromValue(num), FromValue(den)};
}
// A fraction of a rational in lowest terms.
inline TBunsuu F(const mpq_class& q) {
  return F(q.get_num(), q.get_den());
}

// The operations of two operands and one result, each named with its model; callers name the
// one they mean.
struct BinaryCase {
  void (*op)(const TLongNum&, const TLongNum&, TLongNum&);
  Outcome (*model)(const TLongNum&, const TLongNum&);
  const char* name;
};
inline constexpr BinaryCase Add{LongAdd, ModelAdd, "Add"};
inline constexpr BinaryCase Sub{LongSub, ModelSub, "Sub"};
inline constexpr BinaryCase AddAbs{LongAddAbs, ModelAddAbs, "AddAbs"};
inline constexpr BinaryCase SubAbs{LongSubAbs, ModelSubAbs, "SubAbs"};
inline constexpr BinaryCase Mul{LongMul, ModelMul, "Mul"};
inline constexpr BinaryCase Div{
    LongDiv, [](const TLongNum& n, const TLongNum& d) { return ModelDivision(n, d, true).q; },
    "Div"};
inline constexpr BinaryCase Mod{
    LongMod, [](const TLongNum& n, const TLongNum& d) { return ModelDivision(n, d, false).r; },
    "Mod"};
inline constexpr BinaryCase Gcd{LongGcd, ModelGcd, "Gcd"};

// The operations of a record and a word take their word from b: the low word of its digits.
// Each is modelled as the record operation with that word as a record of Sign +1; a remainder,
// which comes back as a word, is put in a record of Sign +1 for the comparison.
inline std::uint64_t WordOf(const TLongNum& b) {
  return b.Digit.Word[0];
}
inline TLongNum WordRecord(const TLongNum& b) {
  return Record(Magnitude(b) % (mpz_class(1) << 64), 1);
}
inline TLongNum RemainderRecord(const TLongNum& a, const TLongNum& b) {
  return WordOf(b) == 0 ? LongZero : Record(Magnitude(a) % Magnitude(WordRecord(b)), 1);
}
// The divisor of an exact division: the part of b's word that divides a (0 where that word
// is 0, for the division by zero).
inline std::uint64_t ExactDivisorOf(const TLongNum& a, const TLongNum& b) {
  if (WordOf(b) == 0) return 0;
  const mpz_class g = gcd(Magnitude(a), Magnitude(WordRecord(b)));
  return Magnitude(a) == 0 ? WordOf(b) : WordOf(Record(g, 1));
}
inline constexpr BinaryCase MulWord{
    [](const TLongNum& a, const TLongNum& b, TLongNum& r) { LongMulWord(a, WordOf(b), r); },
    [](const TLongNum& a, const TLongNum& b) { return ModelMul(a, WordRecord(b)); }, "MulWord"};
// a * w + c for a's magnitude, w and c the low two words of b.
inline constexpr BinaryCase MulAddWord{
    [](const TLongNum& a, const TLongNum& b, TLongNum& r) {
      TLongNum magnitude = a;
      magnitude.Sign = 1;
      LongMulAddWord(magnitude, WordOf(b), b.Digit.Word[1], r);
    },
    [](const TLongNum& a, const TLongNum& b) {
      return a.Overflowed ? PassesSaturated()
                          : Fits(Magnitude(a) * FromWord(WordOf(b)) + FromWord(b.Digit.Word[1]), 1);
    },
    "MulAddWord"};
// The pair a * w + c and b * w, for the magnitudes of a and b, w and c the low two words of b:
// one of its two results, and the flag that either of them sets.
inline void MulWordPair(const TLongNum& a, const TLongNum& b, TLongNum& r, bool first) {
  TLongNum x = a, y = b;
  x.Sign = y.Sign = 1;
  LongMulWordPair(x, b.Digit.Word[1], y, WordOf(b));
  r = first ? x : y;
}
inline Outcome ModelMulWordPair(const TLongNum& a, const TLongNum& b, bool first) {
  const mpz_class w = FromWord(WordOf(b));
  const Outcome x =
      a.Overflowed ? PassesSaturated() : Fits(Magnitude(a) * w + FromWord(b.Digit.Word[1]), 1);
  const Outcome y = b.Overflowed ? PassesSaturated() : Fits(Magnitude(b) * w, 1);
  return {first ? x.value : y.value, x.flag || y.flag};
}
inline constexpr BinaryCase MulWordPairFirst{
    [](const TLongNum& a, const TLongNum& b, TLongNum& r) { MulWordPair(a, b, r, true); },
    [](const TLongNum& a, const TLongNum& b) { return ModelMulWordPair(a, b, true); },
    "MulWordPairFirst"};
inline constexpr BinaryCase MulWordPairSecond{
    [](const TLongNum& a, const TLongNum& b, TLongNum& r) { MulWordPair(a, b, r, false); },
    [](const TLongNum& a, const TLongNum& b) { return ModelMulWordPair(a, b, false); },
    "MulWordPairSecond"};
inline constexpr BinaryCase DivModWord{
    [](const TLongNum& a, const TLongNum& b, TLongNum& q) { LongDivModWord(a, WordOf(b), q); },
    [](const TLongNum& a, const TLongNum& b) { return ModelDivision(a, WordRecord(b), true).q; },
    "DivModWord"};
inline constexpr BinaryCase DivModWordRemainder{
    [](const TLongNum& a, const TLongNum& b, TLongNum& r) {
      TLongNum q;
      const bool flag = OverflowFlag;
      r = Record(FromWord(LongDivModWord(a, WordOf(b), q)), 1);
      OverflowFlag = flag;  // the quotient's saturation is DivModWord's to check
    },
    [](const TLongNum& a, const TLongNum& b) { return Exactly(RemainderRecord(a, b)); },
    "DivModWordRemainder"};
inline constexpr BinaryCase ModWord{
    [](const TLongNum& a, const TLongNum& b, TLongNum& r) {
      r = WordOf(b) == 0 ? LongZero : Record(FromWord(LongModWord(a, WordOf(b))), 1);
    },
    [](const TLongNum& a, const TLongNum& b) { return Exactly(RemainderRecord(a, b)); }, "ModWord"};
inline constexpr BinaryCase DivExactWord{
    [](const TLongNum& a, const TLongNum& b, TLongNum& q) {
      LongDivExactWord(a, ExactDivisorOf(a, b), q);
    },
    [](const TLongNum& a, const TLongNum& b) {
      return ModelDivision(a, Record(FromWord(ExactDivisorOf(a, b)), 1), true).q;
    },
    "DivExactWord"};

// The four shifts; the count of the last two is in digits.
struct ShiftCase {
  void (*op)(TLongNum&, std::uint16_t);
  bool left;
  int bitsPerCount;
  const char* name;
};
inline constexpr ShiftCase ShiftLeft{LongShiftLeft, true, 1, "LongShiftLeft"};
inline constexpr ShiftCase ShiftRight{LongShiftRight, false, 1, "LongShiftRight"};
inline constexpr ShiftCase ShiftLeftDigits{LongShiftLeftDigits, true, 8, "LongShiftLeftDigits"};
inline constexpr ShiftCase ShiftRightDigits{LongShiftRightDigits, false, 8, "LongShiftRightDigits"};

// mantissa 10^exponent, exactly.
inline mpq_class DecimalValue(std::uint64_t mantissa, int exponent) {
  const mpz_class p = truedigits::PowerOfTen(static_cast<unsigned long>(std::abs(exponent)));
  return exponent < 0 ? mpq_class(FromWord(mantissa), p) : mpq_class(FromWord(mantissa) * p);
}

// A step of MulAddDivide within its contract, from any three words: b up to 2^61, a up to 2/5
// of it, and c below 4b, which keeps the integer word of each quotient below 4.
inline DecimalStep StepFrom(std::uint64_t a, std::uint64_t c, std::uint64_t b) {
  b = 1 + b % (std::uint64_t{1} << 61);
  return {a % (2 * b / 5 + 1), c % (4 * b), b};
}

// Decimal fixed point: x = floor(num U / den) in units U of its last word, then up to two
// steps of MulAddDivide to stepWords words.
struct DecimalCase {
  int words;
  std::uint32_t num, den;
  DecimalStep steps[2];
  int stepCount, stepWords;
};

// A case within the contracts, from word(), any word, and below(n), a number below n, read in
// this order; den lies below denLimit.
template <class AnyWord, class Below>
DecimalCase DecimalCaseFrom(AnyWord word, Below below, std::uint64_t denLimit = 0xFFFFFFFF) {
  DecimalCase c{};
  c.words = 2 + below(5);
  c.den = 1 + static_cast<std::uint32_t>(word() % denLimit);
  c.num = static_cast<std::uint32_t>(word() % c.den);
  // Below its whole width only on a number whose words after the point are zero.
  c.stepWords = c.num == 0 ? 1 + below(c.words) : c.words;
  c.stepCount = below(3);
  for (DecimalStep& step : c.steps) {
    const std::uint64_t a = word(), addend = word();
    step = StepFrom(a, addend, word() >> below(61));
  }
  return c;
}

class Checker {
 public:
  // report receives a description of each difference found.
  explicit Checker(std::function<void(const std::string&)> report) : report_(std::move(report)) {}

  // op with a separate result that held previous, with the result in a, in b, and, when a
  // and b are alike, with a, b and the result all one record.
  void BinaryOp(const BinaryCase& c, const TLongNum& a, const TLongNum& b,
                const TLongNum& previous) {
    const auto op = c.op;
    const char* what = c.name;
    const Outcome expected = c.model(a, b);
    TLongNum r = previous, x = a, y = b, z = a;
    Matches([&] { op(a, b, r); }, r, expected, what, "separate result");
    Matches([&] { op(x, b, x); }, x, expected, what, "result in a");
    Matches([&] { op(a, y, y); }, y, expected, what, "result in b");
    if (RecordDifference(a, b).empty())
      Matches([&] { op(z, z, z); }, z, expected, what, "one record");
  }

  // LongDivMod with its two results in every arrangement over the operands.
  void DivMod(const TLongNum& n, const TLongNum& d, const TLongNum& previous) {
    const DivisionOutcome e = ModelDivision(n, d, true);
    // The flag is checked with the quotient; the remainder's record is what counts.
    const auto check = [&](auto divide, const TLongNum& q, const TLongNum& r, const char* how) {
      Matches(divide, q, e.q, "LongDivMod quotient", how);
      Expect(RecordDifference(r, e.r.value), "LongDivMod remainder", how);
    };
    TLongNum q = previous, r = d, x = n, y = d;
    check([&] { LongDivMod(n, d, q, r); }, q, r, "separate");
    q = previous;
    check([&] { LongDivMod(x, d, q, x); }, q, x, "remainder over the dividend");
    x = n, r = previous;
    check([&] { LongDivMod(x, d, x, r); }, x, r, "quotient over the dividend");
    x = n;
    check([&] { LongDivMod(x, y, y, x); }, y, x,
          "quotient over the divisor, remainder over the dividend");
    x = n, y = d;
    check([&] { LongDivMod(x, y, x, y); }, x, y,
          "quotient over the dividend, remainder over the divisor");
  }

  // The shift of a by count (bits or digits, as the shift counts).
  void Shifted(const ShiftCase& shift, const TLongNum& a, int count) {
    TLongNum x = a;
    Matches([&] { shift.op(x, static_cast<std::uint16_t>(count)); }, x,
            ModelShift(a, count * shift.bitsPerCount, shift.left), shift.name,
            "by " + std::to_string(count));
  }

  // Comparison, sign, zero test, negation and conversion to int.
  void Queries(const TLongNum& a, const TLongNum& b) {
    const int abs = cmp(Magnitude(a), Magnitude(b));
    const int absSign = (abs > 0) - (abs < 0);
    Expect(LongCompareAbs(a, b) == absSign, "LongCompareAbs");
    // The order of the values, in which a zero with Sign -1 stands just below LongZero.
    const int byValue = cmp(Value(a), Value(b));
    const int order = byValue != 0 ? byValue : a.Sign - b.Sign;
    Expect(LongCompare(a, b) == (order > 0) - (order < 0), "LongCompare");
    Expect(LongSign(a) == (Magnitude(a) == 0 ? 0 : a.Sign), "LongSign");
    Expect(LongIsZero(a) == (Magnitude(a) == 0), "LongIsZero");
    TLongNum negated = a;
    LongNegate(negated);
    TLongNum expected = a;
    if (Magnitude(a) != 0) expected.Sign = static_cast<std::int8_t>(-a.Sign);
    Expect(RecordDifference(negated, expected), "LongNegate", "");
    std::int32_t v = 1;
    const mpz_class value = Value(a);
    const bool fits = value >= INT32_MIN && value <= INT32_MAX;
    Expect(LongToInt(a, v) == fits && v == (fits ? value.get_si() : 0), "LongToInt");
  }

  // One longhand square-root step, for 0 <= rem <= 2 * root.
  void SqrtStep(const mpz_class& root, const mpz_class& rem) {
    TLongNum r = Record(root, 1), m = Record(rem, 1);
    OverflowFlag = false;
    const int digit = LongSqrtStep(r, m);
    const mpz_class root10 = root * 10, rem100 = rem * 100;
    const std::string at = "root " + root.get_str() + ", remainder " + rem.get_str();
    if (root10 >= Capacity() || rem100 >= Capacity() || 2 * root10 >= Capacity()) {
      Expect(digit == -1 && OverflowFlag, "LongSqrtStep saturation at " + at);
      return;
    }
    int d = 9;
    while (d * (2 * root10 + d) > rem100)
      --d;
    Expect(digit == d, "LongSqrtStep digit at " + at);
    Expect(RecordDifference(r, Record(root10 + d, 1)), "LongSqrtStep root", at);
    Expect(RecordDifference(m, Record(rem100 - d * (2 * root10 + d), 1)), "LongSqrtStep remainder",
           at);
    Expect(!OverflowFlag, "LongSqrtStep flag at " + at);
  }

  // The sum of x and y over their factored denominators, y's given by powers of x's primes and a
  // rest: the records and the flag of BunsuuAdd, and a factored form that still multiplies out to
  // the denominator. The sum with both parts times the first prime's power, reduced again, into a
  // separate record and into itself, gives the sum back.
  void FactoredSum(const TFactoredBunsuu& x, const TBunsuu& y, std::span<const TPrimePower> yDen,
                   std::int32_t yRest) {
    OverflowFlag = false;
    TBunsuu full;
    BunsuuAdd(x.Value, y, full);
    const bool fullFlag = OverflowFlag;
    OverflowFlag = false;
    TFactoredBunsuu sum = x;
    BunsuuAddFactored(sum, y.Num, yDen, yRest);
    SameFraction(sum.Value, full, "BunsuuAddFactored");
    Expect(OverflowFlag == fullFlag, "BunsuuAddFactored flag");
    if (!sum.Factored) return;
    mpz_class den = Magnitude(sum.Rest), power;
    for (const TPrimePower& p : sum.Factors) {
      mpz_ui_pow_ui(power.get_mpz_t(), static_cast<unsigned long>(p.Prime),
                    static_cast<unsigned long>(p.Exponent));
      den *= power;
    }
    Expect(den == Value(sum.Value.Den), "BunsuuAddFactored's factors");
    const TPrimePower scale{sum.Factors[0].Prime, 3};
    mpz_ui_pow_ui(power.get_mpz_t(), static_cast<unsigned long>(scale.Prime), 3);
    if (Magnitude(sum.Value.Den) * power * 256 >= Capacity()) return;
    TFactoredBunsuu scaled = sum, reduced;
    scaled.Value = F(Value(sum.Value.Num) * power, Value(sum.Value.Den) * power);
    scaled.Factors[0].Exponent += scale.Exponent;
    std::vector<TPrimePower> shared = scaled.Factors;
    shared[0] = scale;
    BunsuuReduceFactored(scaled, shared, reduced);
    BunsuuReduceFactored(scaled, shared, scaled);
    for (const TFactoredBunsuu& r : {reduced, scaled}) {
      SameFraction(r.Value, sum.Value, "BunsuuReduceFactored");
      Expect(r.Factors[0].Exponent == sum.Factors[0].Exponent && r.Factored,
             "BunsuuReduceFactored's factors");
    }
  }

  // count digits of |num| / |den|, for |num| < |den|, neither saturated; the remainder in a
  // record that held previous.
  void Expansion(const TLongNum& num, const TLongNum& den, int count, const TLongNum& previous) {
    const mpz_class n = Magnitude(num), d = Magnitude(den);
    std::string digits(static_cast<std::size_t>(count), '?');
    TLongNum remainder = previous;
    OverflowFlag = false;
    LongExpandDecimal(num, den, count, digits.data(), remainder);
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(count));
    const std::string expected = count == 0 ? "" : mpz_class(n * scale / d).get_str();
    Expect(digits == std::string(static_cast<std::size_t>(count) - expected.size(), '0') + expected,
           "LongExpandDecimal digits");
    Expect(RecordDifference(remainder, Record(n * scale % d, 1)), "LongExpandDecimal remainder",
           "");
    Expect(!OverflowFlag, "LongExpandDecimal flag");
  }

  // Decimal fixed point against GMP: every word after each operation. Gives the number, and its
  // value in units of its last word in value.
  DecimalFixed Decimal(const DecimalCase& c, mpz_class& value) {
    const mpz_class unit = truedigits::PowerOfTen(19ul * static_cast<unsigned long>(c.words));
    DecimalFixed x(c.words, c.num, c.den);
    value = unit * c.num / c.den;
    // The integer word, and the words after the point as the digits that WriteDigits writes.
    const auto sameWords = [&](const std::string& what) {
      std::string all = value.get_str(), digits;
      all.insert(0, 19 * static_cast<std::size_t>(c.words + 1) - all.size(), '0');
      Expect(x.WordAt(0) == std::stoull(all.substr(0, 19)), what + " integer word");
      x.WriteDigits(19 * c.words, digits);
      const auto at = std::ranges::mismatch(digits, all.substr(19)).in1 - digits.begin();
      Expect(at == std::ssize(digits), what + " word " + std::to_string(at / 19 + 1));
    };
    sameWords("DecimalFixed(num, den)");
    x.MulAddDivide(std::span(c.steps, static_cast<std::size_t>(c.stepCount)), c.stepWords);
    const mpz_class cut =
        truedigits::PowerOfTen(19ul * static_cast<unsigned long>(c.words - c.stepWords));
    for (int i = 0; i < c.stepCount; ++i) {
      const DecimalStep& s = c.steps[i];
      value = (FromWord(s.a) * (value / cut) + FromWord(s.c) * (unit / cut)) / FromWord(s.b) * cut;
    }
    sameWords("DecimalFixed::MulAddDivide");
    return x;
  }

#if defined(__SIZEOF_INT128__)
  // Every operator of the portable double word on a = aHigh 2^64 + aLow, b = bHigh 2^64 + bLow
  // and a shift of 0 to 127 bits, against the compiler's own 128-bit integer.
  void DoubleWordOperators(std::uint64_t aHigh, std::uint64_t aLow, std::uint64_t bHigh,
                           std::uint64_t bLow, int shift) {
    __extension__ typedef unsigned __int128 Native;
    using Portable = PortableDoubleWord;
    const Portable pa = Portable(aHigh) << 64 | aLow, pb = Portable(bHigh) << 64 | bLow;
    const Native na = Native{aHigh} << 64 | aLow, nb = Native{bHigh} << 64 | bLow;
    const std::string operands = " of " + std::to_string(aHigh) + ":" + std::to_string(aLow) +
                                 " and " + std::to_string(bHigh) + ":" + std::to_string(bLow) +
                                 ", shift " + std::to_string(shift);
    const auto same = [&](Portable p, Native n, const char* op) {
      Expect(static_cast<std::uint64_t>(p) == static_cast<std::uint64_t>(n) &&
                 static_cast<std::uint64_t>(p >> 64) == static_cast<std::uint64_t>(n >> 64),
             std::string("PortableDoubleWord ") + op + operands);
    };
    const auto holds = [&](bool p, bool n, const char* op) {
      Expect(p == n, std::string("PortableDoubleWord ") + op + operands);
    };
    same(pa, na, "from words");
    same(pa + pb, na + nb, "+");
    same(pa - pb, na - nb, "-");
    same(pa * pb, na * nb, "*");
    same(pa * bLow, na * bLow, "* word");
    if (nb != 0) {
      same(pa / pb, na / nb, "/");
      same(pa % pb, na % nb, "%");
    }
    same(pa << shift, na << shift, "<<");
    same(pa >> shift, na >> shift, ">>");
    same(pa | pb, na | nb, "|");
    same(pa & pb, na & nb, "&");
    holds(pa == pb, na == nb, "==");
    holds(pa < pb, na < nb, "<");
    holds(pa > pb, na > nb, ">");
    holds(pa <= pb, na <= nb, "<=");
    holds(pa >= pb, na >= nb, ">=");
    Portable p = pa;
    Native n = na;
    same(p += pb, n += nb, "+=");
    same(p -= pa, n -= na, "-=");
    same(p <<= shift, n <<= shift, "<<=");
    same(p >>= shift, n >>= shift, ">>=");
  }
#endif

  // Fractions x and y: where neither is saturated, both are in lowest terms and no product
  // can outgrow the capacity, every operation must give GMP's rational, also with its result
  // in an operand.
  void Fractions(const TBunsuu& x, const TBunsuu& y) {
    OverflowFlag = false;
    TBunsuu full;
    BunsuuAdd(x, y, full);
    if (!Plain(x) || !Plain(y)) return;
    const mpq_class qx(Value(x.Num), Value(x.Den)), qy(Value(y.Num), Value(y.Den));
    // Every product in these operations is at most the product of two of the parts.
    const mpz_class largest = std::max({mpz_class(abs(qx.get_num())), mpz_class(qx.get_den()),
                                        mpz_class(abs(qy.get_num())), mpz_class(qy.get_den())});
    if (largest * largest >= Capacity()) return;
    OverflowFlag = false;
    SameFraction(full, F(qx + qy), "BunsuuAdd");
    SameFraction(BunsuuSub(x, y), F(qx - qy), "BunsuuSub");
    TBunsuu unreduced = F(qx.get_num() * 6, qx.get_den() * -6);
    BunsuuReduce(unreduced);
    SameFraction(unreduced, F(mpq_class(-qx)), "BunsuuReduce");
    using Op = void (*)(const TBunsuu&, const TBunsuu&, TBunsuu&);
    const struct {
      Op op;
      mpq_class expected;
      const char* what;
    } ops[] = {{BunsuuAdd, qx + qy, "BunsuuAdd"},
               {BunsuuMul, qx * qy, "BunsuuMul"},
               {BunsuuDiv, qy == 0 ? mpq_class(0) : mpq_class(qx / qy), "BunsuuDiv"}};
    for (const auto& o : ops) {
      if (o.op == BunsuuDiv && qy == 0) continue;
      TBunsuu r, a = x, b = y;
      o.op(x, y, r);
      SameFraction(r, F(o.expected), o.what);
      o.op(a, y, a);
      SameFraction(a, r, o.what);
      o.op(x, b, b);
      SameFraction(b, r, o.what);
      // x / x is 0/0 for a zero x.
      if (o.op == BunsuuDiv && qx == 0) continue;
      TBunsuu same, c = x;
      o.op(x, x, same);
      o.op(c, c, c);
      SameFraction(c, same, o.what);
    }
    Expect(!OverflowFlag, "a fraction flag below the capacity");
  }

 private:
  static bool Plain(const TBunsuu& f) {
    return !f.Num.Overflowed && !f.Den.Overflowed && LongSign(f.Den) > 0;
  }

  void Expect(bool holds, const std::string& what) {
    if (!holds) report_(what);
  }
  void Expect(const std::string& difference, const char* what, const std::string& how) {
    if (!difference.empty()) report_(std::string(what) + " (" + how + "): " + difference);
  }
  // Runs an operation from a clear flag; it must leave actual and the flag as expected says.
  template <class Operation>
  void Matches(Operation operation, const TLongNum& actual, const Outcome& expected,
               const char* what, const std::string& how) {
    OverflowFlag = false;
    operation();
    Expect(RecordDifference(actual, expected.value), what, how);
    Expect(OverflowFlag == expected.flag, std::string(what) + " flag (" + how + ")");
  }
  void SameFraction(const TBunsuu& actual, const TBunsuu& expected, const char* what) {
    Expect(RecordDifference(actual.Num, expected.Num), what, "numerator");
    Expect(RecordDifference(actual.Den, expected.Den), what, "denominator");
  }

  std::function<void(const std::string&)> report_;
};

}  // namespace arithcheck

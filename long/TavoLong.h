// TavoLong: signed integers of fixed capacity in plain records, and all arithmetic on them.
//
// A TLongNum holds up to MaxDigits base-256 digits. A result too large for that becomes
// MaxLongNum (always positive) and sets OverflowFlag; it is never an error. An operand that is
// already saturated (Overflowed) makes every two-operand operation give MaxLongNum again,
// without computing and without touching the flag.
//
// Results are written into a record that the caller names last; unless an operation says
// otherwise, that record may be the same as any operand. This is the layer's whole set of
// operations: a few have no caller in the program today (the shifts, LongInc, LongMod), and are
// kept and tested with the rest.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

// The capacity of a value, in base-256 digits: the program's fixed design size, a little over
// 10,000 decimal digits (256^4166 - 1 has 10,033). Every other capacity fact derives from it.
inline constexpr int MaxDigits = 4166;
// The capacity in bits: a magnitude of MaxBits bits has the full width.
inline constexpr int MaxBits = 8 * MaxDigits;
// The decimal digits of the largest value, 256^MaxDigits - 1: MaxBits log10(2) is 10,032.7.
inline constexpr int MaxDecimalDigits = MaxBits * 30103 / 100000 + 1;
// A product may stand one digit above the capacity before it is found too large.
inline constexpr int DigitSlots = MaxDigits + 1;
// The digits, padded to whole 64-bit words so that the arithmetic can work a word at a time.
inline constexpr int WordSlots = (DigitSlots + 7) / 8;

// The digit array of a TLongNum: Digit[i] is digit i, Digit[0] the least significant. The
// storage is a run of 64-bit words that the arithmetic works on a word at a time: digit i is
// bits 8 (i % 8) to 8 (i % 8) + 7 of Word[i / 8], whatever the CPU's byte order.
struct TLongDigits {
  std::uint64_t Word[WordSlots] = {};

  // One digit, read and written through shifts of its word.
  class Reference {
   public:
    constexpr Reference(std::uint64_t& word, int shift) : word_(word), shift_(shift) {}
    constexpr operator std::uint8_t() const {  // NOLINT: reads as the digit it stands for
      return static_cast<std::uint8_t>(word_ >> shift_);
    }
    constexpr Reference& operator=(std::uint8_t digit) {
      word_ = (word_ & ~(std::uint64_t{0xFF} << shift_)) | std::uint64_t{digit} << shift_;
      return *this;
    }
    // Copies the digit another reference stands for, as a digit does.
    constexpr Reference& operator=(const Reference& other) {
      return *this = static_cast<std::uint8_t>(other);
    }
    constexpr Reference& operator|=(std::uint8_t bits) {
      word_ |= std::uint64_t{bits} << shift_;
      return *this;
    }

   private:
    std::uint64_t& word_;
    int shift_;
  };

  constexpr Reference operator[](std::size_t i) {
    return Reference(Word[i / 8], static_cast<int>(8 * (i % 8)));
  }
  constexpr std::uint8_t operator[](std::size_t i) const {
    return static_cast<std::uint8_t>(Word[i / 8] >> (8 * (i % 8)));
  }
};

// A signed integer: Sign * (Digit[0] + Digit[1]*256 + ... + Digit[Len-1]*256^(Len-1)).
//
// Every value that an operation produces is normalized:
//   1. 1 <= Len <= MaxDigits;
//   2. Digit[Len-1] is not 0, except in the value zero;
//   3. zero is Len 1, Digit[0] 0, Sign +1 (a zero with Sign -1 still counts as zero for
//      LongIsZero and LongSign; right shifts, magnitude subtractions, zero quotients and zero
//      remainders of the divisions, and the sum of two such zeros leave one);
//   4. every digit slot from Len up, padding included, is 0;
//   5. Overflowed is true only in MaxLongNum and copies of it (negated ones included).
// A default-constructed record is zero.
struct TLongNum {
  std::uint16_t Len = 1;
  std::int8_t Sign = 1;
  TLongDigits Digit;
  bool Overflowed = false;
};

namespace tavo_long_detail {
constexpr TLongNum SmallConstant(std::uint32_t magnitude, std::int8_t sign) {
  TLongNum v;
  v.Sign = sign;
  v.Digit.Word[0] = magnitude;
  v.Len = magnitude > 0xFFFFFF ? 4 : magnitude > 0xFFFF ? 3 : magnitude > 0xFF ? 2 : 1;
  return v;
}
constexpr TLongNum Saturated() {
  TLongNum v;
  v.Len = MaxDigits;
  v.Overflowed = true;
  for (int i = 0; i < MaxDigits / 8; ++i)
    v.Digit.Word[i] = ~std::uint64_t{0};
  v.Digit.Word[MaxDigits / 8] = (std::uint64_t{1} << (8 * (MaxDigits % 8))) - 1;
  return v;
}
}  // namespace tavo_long_detail

inline constexpr TLongNum LongZero = tavo_long_detail::SmallConstant(0, 1);
inline constexpr TLongNum LongOne = tavo_long_detail::SmallConstant(1, 1);
inline constexpr TLongNum LongTwo = tavo_long_detail::SmallConstant(2, 1);
inline constexpr TLongNum LongTen = tavo_long_detail::SmallConstant(10, 1);
// -2^31, which LongToInt gives back as INT32_MIN.
inline constexpr TLongNum LongMinInt = tavo_long_detail::SmallConstant(0x80000000u, -1);
// 256^MaxDigits - 1, the value every saturation gives.
inline constexpr TLongNum MaxLongNum = tavo_long_detail::Saturated();

// Set by every saturation. Nothing in this module clears it.
inline bool OverflowFlag = false;

// --- Conversions and saturation ---

// result := v. Meant for -2147483647..2147483647; -2147483648 is converted exactly as well.
void LongFromInt(std::int32_t v, TLongNum& result);
// v := a and true when a lies in the 32-bit signed range; otherwise v := 0 and false.
bool LongToInt(const TLongNum& a, std::int32_t& v);
// a := MaxLongNum, and OverflowFlag is set.
void LongSaturate(TLongNum& a);

// --- The capacity, for the layers that must know ahead whether a step can saturate ---

// True when no division of n (LongDiv, LongMod, LongDivMod, the first division of LongGcd) by
// a non-zero divisor can be beyond the capacity: n is not saturated and has less than the full
// width. A division by 1 can then be skipped, as it cannot change n.
bool LongDividesWithinCapacity(const TLongNum& n);
// The bits that a denominator of LongExpansionWithinCapacity may have.
inline constexpr int MaxExpansionBits = MaxBits - 5;
// True when the decimal expansion of r / den for 0 <= r < den, taken step by step as
// r := 10 r, then r divmod den, can never saturate: den has at most MaxExpansionBits bits, so
// ten times a remainder stays below half the capacity, no product outgrows it and no dividend
// has the full width.
bool LongExpansionWithinCapacity(const TLongNum& den);

// --- Comparison, sign, negation ---

// True when the magnitude is 0, whatever the Sign.
bool LongIsZero(const TLongNum& a);
// -1, 0 or +1 as |a| is below, equal to or above |b|.
std::int8_t LongCompareAbs(const TLongNum& a, const TLongNum& b);
// Compares the signed values; when the Signs differ the answer is a.Sign, so a zero with
// Sign -1 stands below LongZero.
std::int8_t LongCompare(const TLongNum& a, const TLongNum& b);
// a.Sign, or 0 for a zero.
std::int8_t LongSign(const TLongNum& a);
// a := -a in place; a zero keeps its Sign, a saturated value keeps Overflowed.
void LongNegate(TLongNum& a);

// --- Addition and subtraction ---

// result := a + b. A sum of two zeros with Sign -1 is a zero with Sign -1; x + (-x) is LongZero.
void LongAdd(const TLongNum& a, const TLongNum& b, TLongNum& result);
// result := a - b, computed as a + (-b).
void LongSub(const TLongNum& a, const TLongNum& b, TLongNum& result);
// a := a + 1.
void LongInc(TLongNum& a);
// result := |a| + |b| with a's Sign. Meant for a.Len >= b.Len; any lengths work.
void LongAddAbs(const TLongNum& a, const TLongNum& b, TLongNum& result);
// result := (|a| - |b|) with a's Sign, also when the difference is zero. Meant for |a| >= |b|;
// otherwise the result is still a.Sign * (|a| - |b|).
void LongSubAbs(const TLongNum& a, const TLongNum& b, TLongNum& result);

// --- Shifts, in place, on the magnitude. Zero and saturated values pass unchanged. ---

// a := a * 256^n, saturating.
void LongShiftLeftDigits(TLongNum& a, std::uint16_t n);
// a := a * 2^bits, saturating.
void LongShiftLeft(TLongNum& a, std::uint16_t bits);
// |a| := |a| div 256^n; when nothing is left, a becomes LongZero.
void LongShiftRightDigits(TLongNum& a, std::uint16_t n);
// |a| := |a| div 2^bits. When the bits/8 whole digits shifted out are all of a's, a becomes
// LongZero; a value emptied only by the last bits % 8 keeps its Sign.
void LongShiftRight(TLongNum& a, std::uint16_t bits);

// --- Multiplication ---

// result := a * b, saturating when the magnitude reaches 256^MaxDigits. A zero operand gives
// LongZero.
void LongMul(const TLongNum& a, const TLongNum& b, TLongNum& result);

// result := a * w, saturating as LongMul does; w = 0 or a zero a gives LongZero.
void LongMulWord(const TLongNum& a, std::uint64_t w, TLongNum& result);
// result := a * w + c for a >= 0, saturating as LongMul does.
void LongMulAddWord(const TLongNum& a, std::uint64_t w, std::uint64_t c, TLongNum& result);
// a := a * w + c and b := b * w in one sweep over both, as LongMulAddWord(a, w, c, a) and
// LongMulWord(b, w, b) give them, saturations included. a and b are different records, neither
// below zero.
void LongMulWordPair(TLongNum& a, std::uint64_t c, TLongNum& b, std::uint64_t w);
// Calls apply(w) for words w whose product is base^e (base >= 2, e >= 0), each as large a power
// of base as a word holds: to multiply or divide by base^e a word at a time.
template <class Apply>
constexpr void ForWordPowers(std::uint64_t base, int e, Apply apply) {
  assert(base >= 2 && e >= 0);
  while (e > 0) {
    std::uint64_t power = base;
    for (--e; e > 0 && power <= UINT64_MAX / base; --e)
      power *= base;
    apply(power);
  }
}

// --- Division and greatest common divisor ---
//
// Division truncates toward zero; the remainder has the dividend's Sign, zero or not, except
// that |n| = |d| gives LongZero. The quotient has Sign n.Sign * d.Sign even when it is
// zero. A zero divisor saturates the quotient (LongMod: the remainder). A dividend of
// MaxBits bits, when the divisor shifted up to its top bit is not above it, is beyond
// the capacity of the division: both results saturate.

// q := n div d.
void LongDiv(const TLongNum& n, const TLongNum& d, TLongNum& q);
// r := n mod d.
void LongMod(const TLongNum& n, const TLongNum& d, TLongNum& r);
// q := n div d and r := n mod d. q and r must be different records; either may be n or d.
// A zero divisor gives the saturated q and r := LongZero.
void LongDivMod(const TLongNum& n, const TLongNum& d, TLongNum& q, TLongNum& r);
// The divisions by a word: the quotient as LongDiv gives it for the divisor d (Sign +1), and
// the remainder as a word, |n| mod d, whatever happens to the quotient (a saturated n counts
// as its plain digits, as the comparisons count it).
//
// q := n div d, and returns |n| mod d; a zero d saturates q and returns 0. q may be n.
std::uint64_t LongDivModWord(const TLongNum& n, std::uint64_t d, TLongNum& q);
// |n| mod d, for d != 0.
std::uint64_t LongModWord(const TLongNum& n, std::uint64_t d);
// q := n / d for a d that divides n, faster than a division with remainder. q may be n.
void LongDivExactWord(const TLongNum& n, std::uint64_t d, TLongNum& q);
// g := gcd(|a|, |b|) with Sign +1; gcd(0, 0) is 0. Gives MaxLongNum when a saturated operand
// is met or when its first division is beyond the capacity (which sets OverflowFlag).
void LongGcd(const TLongNum& a, const TLongNum& b, TLongNum& g);

// --- The decimal word: as many decimal digits as a word holds whole ---

// 10^19 < 2^64 < 10^20.
inline constexpr int DecimalWordDigits = 19;
namespace tavo_long_detail {
inline constexpr auto PowersOfTen = [] {
  std::array<std::uint64_t, DecimalWordDigits + 1> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i)
    powers[i] = powers[i - 1] * 10;
  return powers;
}();
}  // namespace tavo_long_detail
// 10^e, for 0 <= e <= DecimalWordDigits; from a table, since the digit loops ask for it often.
constexpr std::uint64_t PowerOfTen(int e) {
  assert(e >= 0 && e <= DecimalWordDigits);
  return tavo_long_detail::PowersOfTen[static_cast<std::size_t>(e)];
}
// digits[0..count) := w in decimal as the characters '0' to '9', zero-padded to count digits;
// w < 10^count, count <= DecimalWordDigits.
void WriteDecimalWord(std::uint64_t w, int count, char* digits);

// --- Decimal expansion ---

// digits[0..count) := the first count decimal digits of |num| / |den| after the point,
// truncated, as the characters '0' to '9', and remainder := |num| * 10^count mod |den| (Sign
// +1), from which the expansion can go on. Requires |num| < |den|, neither saturated. The
// work is not held to the capacity of a record, so nothing saturates. remainder may be num.
void LongExpandDecimal(const TLongNum& num, const TLongNum& den, int count, char* digits,
                       TLongNum& remainder);

// --- Longhand square root ---

// One step of the longhand square root: root := root * 10 + d and
// rem := rem * 100 - (20 * root + d) * d, for the largest digit d that leaves rem
// non-negative; returns d. Requires 0 <= rem <= 2 * root, which each step keeps. When one of
// the step's products root * 10, rem * 100 or 2 * root * 10 outgrows the capacity, it
// saturates as LongMul would: root and rem are left as the first two products and the result
// is -1.
int LongSqrtStep(TLongNum& root, TLongNum& rem);
// The most digits that one block of LongSqrtDigits takes: a decimal word.
inline constexpr int LongSqrtBlockDigits = DecimalWordDigits;
// Up to count steps of the longhand square root (count >= 1) taken at once, as one block: the
// same root and rem as that many calls of LongSqrtStep, with the digits written to
// digits[0..taken); returns taken. Where the root has at least 64 bits, a block takes as many
// digits, up to min(count, LongSqrtBlockDigits), as it can without any of those steps coming
// near the capacity; elsewhere it takes one step, and returns 0 when that step saturates as
// LongSqrtStep does.
int LongSqrtDigits(TLongNum& root, TLongNum& rem, int count, char* digits);

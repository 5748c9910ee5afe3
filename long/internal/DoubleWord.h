// The double word of the word kernels: 128 bits, enough for the product of two words plus two
// more words, and for the dividend of a division by a word.
//
// GCC and clang give 64-bit targets a native 128-bit integer, and the kernels use it there:
// its products and divisions are single instructions or the runtime's own. Everywhere else
// (32-bit targets, MSVC, or any build with TAVO_PORTABLE_DOUBLE_WORD) the double word is
// PortableDoubleWord, a pair of words in standard C++. The words stay 64 bits on every target, so
// that the record, the decimal word of 19 digits and every result are the same everywhere; a 32-bit
// CPU pays for that in its 64-bit arithmetic, which its compiler builds from 32-bit instructions.
#pragma once

#include <bit>
#include <cstdint>

using Word = std::uint64_t;
inline constexpr int WordBits = 64;

// An unsigned 128-bit integer with the operators of a built-in one, wrapping modulo 2^128.
// Products of words are formed from 32-bit halves and quotients by Knuth's Algorithm D on
// 32-bit half-words (TAOCP vol. 2, section 4.3.1), so that nothing needs more than a 64-bit
// product or a 64-by-32-bit quotient. It is defined on every target, so that its tests run
// where the native integer can check it.
class PortableDoubleWord {
 public:
  constexpr PortableDoubleWord() = default;
  // Converts implicitly, as a built-in integer does.
  constexpr PortableDoubleWord(Word low) : low_(low) {}  // NOLINT

  constexpr explicit operator Word() const { return low_; }

  friend constexpr PortableDoubleWord operator+(PortableDoubleWord a, PortableDoubleWord b) {
    const Word low = a.low_ + b.low_;
    return Join(a.high_ + b.high_ + (low < a.low_), low);
  }
  friend constexpr PortableDoubleWord operator-(PortableDoubleWord a, PortableDoubleWord b) {
    return Join(a.high_ - b.high_ - (a.low_ < b.low_), a.low_ - b.low_);
  }
  // The low 128 bits of the product.
  friend constexpr PortableDoubleWord operator*(PortableDoubleWord a, PortableDoubleWord b) {
    const PortableDoubleWord low = MultiplyWords(a.low_, b.low_);
    return Join(low.high_ + a.high_ * b.low_ + a.low_ * b.high_, low.low_);
  }
  friend constexpr PortableDoubleWord operator/(PortableDoubleWord a, PortableDoubleWord b) {
    return Divide(a, b);
  }
  friend constexpr PortableDoubleWord operator%(PortableDoubleWord a, PortableDoubleWord b) {
    return a - Divide(a, b) * b;
  }

  friend constexpr PortableDoubleWord operator<<(PortableDoubleWord a, int s) {
    if (s == 0) return a;
    if (s >= WordBits) return Join(a.low_ << (s - WordBits), 0);
    return Join(a.high_ << s | a.low_ >> (WordBits - s), a.low_ << s);
  }
  friend constexpr PortableDoubleWord operator>>(PortableDoubleWord a, int s) {
    if (s == 0) return a;
    if (s >= WordBits) return Join(0, a.high_ >> (s - WordBits));
    return Join(a.high_ >> s, a.low_ >> s | a.high_ << (WordBits - s));
  }
  friend constexpr PortableDoubleWord operator|(PortableDoubleWord a, PortableDoubleWord b) {
    return Join(a.high_ | b.high_, a.low_ | b.low_);
  }
  friend constexpr PortableDoubleWord operator&(PortableDoubleWord a, PortableDoubleWord b) {
    return Join(a.high_ & b.high_, a.low_ & b.low_);
  }

  friend constexpr bool operator==(PortableDoubleWord a, PortableDoubleWord b) {
    return a.high_ == b.high_ && a.low_ == b.low_;
  }
  friend constexpr bool operator<(PortableDoubleWord a, PortableDoubleWord b) {
    return a.high_ != b.high_ ? a.high_ < b.high_ : a.low_ < b.low_;
  }
  friend constexpr bool operator>(PortableDoubleWord a, PortableDoubleWord b) { return b < a; }
  friend constexpr bool operator<=(PortableDoubleWord a, PortableDoubleWord b) { return !(b < a); }
  friend constexpr bool operator>=(PortableDoubleWord a, PortableDoubleWord b) { return !(a < b); }

  constexpr PortableDoubleWord& operator+=(PortableDoubleWord b) { return *this = *this + b; }
  constexpr PortableDoubleWord& operator-=(PortableDoubleWord b) { return *this = *this - b; }
  constexpr PortableDoubleWord& operator>>=(int s) { return *this = *this >> s; }
  constexpr PortableDoubleWord& operator<<=(int s) { return *this = *this << s; }

 private:
  static constexpr Word HalfMask = 0xFFFFFFFF;
  static constexpr int HalfBits = 32;

  static constexpr PortableDoubleWord Join(Word high, Word low) {
    PortableDoubleWord x(low);
    x.high_ = high;
    return x;
  }

  // The whole product of two words, from the four products of their halves.
  static constexpr PortableDoubleWord MultiplyWords(Word a, Word b) {
    const Word a0 = a & HalfMask, a1 = a >> HalfBits;
    const Word b0 = b & HalfMask, b1 = b >> HalfBits;
    const Word p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0;
    // Below 3 * 2^32: the three pieces that fall on bits 32 to 63.
    const Word middle = (p00 >> HalfBits) + (p01 & HalfMask) + (p10 & HalfMask);
    return Join(a1 * b1 + (p01 >> HalfBits) + (p10 >> HalfBits) + (middle >> HalfBits),
                middle << HalfBits | (p00 & HalfMask));
  }

  // The quotient of (high * 2^64 + low) by d, for high < d, with the remainder in rem: Knuth's
  // Algorithm D with two half-word digits of quotient. Normalised so that d's top bit is set,
  // each estimate from the top half of d is at most two too large. The test with the second
  // half then compares the estimate times the whole of d with the partial dividend exactly, as
  // d has no further digits, so the digit it leaves is the true one.
  static constexpr Word DivideByWord(Word high, Word low, Word d, Word& rem) {
    const int s = std::countl_zero(d);
    d <<= s;
    if (s != 0) high = high << s | low >> (WordBits - s);
    low <<= s;
    const Word d1 = d >> HalfBits, d0 = d & HalfMask;
    // One half-word digit of the quotient of (top * 2^32 + next) by d, where top < d; the
    // remainder, below d, replaces top.
    const auto digit = [&](Word& top, Word next) {
      Word q = top / d1;
      Word r = top - q * d1;
      while (q > HalfMask || q * d0 > (r << HalfBits | next)) {
        --q;
        r += d1;
        if (r > HalfMask) break;
      }
      // The true remainder is below d, so it is exact modulo 2^64.
      top = (top << HalfBits | next) - q * d;
      return q;
    };
    Word top = high;
    const Word q1 = digit(top, low >> HalfBits);
    const Word q0 = digit(top, low & HalfMask);
    rem = top >> s;
    return q1 << HalfBits | q0;
  }

  static constexpr PortableDoubleWord Divide(PortableDoubleWord a, PortableDoubleWord b) {
    if (b.high_ != 0) return Join(0, DivideByDoubleWord(a, b));
    // Two divisions by a word: the high word of the quotient, then the low one.
    Word rem = 0;
    return Join(a.high_ / b.low_, DivideByWord(a.high_ % b.low_, a.low_, b.low_, rem));
  }

  // floor(a / b) for b of two words, which fits in a word. The method is Warren's (Hacker's
  // Delight, 2nd ed., section 9-5): the quotient is estimated from the leading 64 bits of b
  // alone. Dividing a / 2 rather than a keeps that quotient within a word; shifted back by what
  // normalised b, it is the true quotient or one above it. One less is then the true one or one
  // too small, and its product with b stays within a, so that one comparison of the rest with
  // b settles it.
  static constexpr Word DivideByDoubleWord(PortableDoubleWord a, PortableDoubleWord b) {
    const int normalising = std::countl_zero(b.high_);
    const Word leading = (b << normalising).high_;
    const PortableDoubleWord half = a >> 1;
    Word rem = 0;
    const Word estimate =
        DivideByWord(half.high_, half.low_, leading, rem) >> (WordBits - 1 - normalising);
    const Word atMostTrue = estimate == 0 ? 0 : estimate - 1;
    const bool oneShort = a - PortableDoubleWord(atMostTrue) * b >= b;
    return atMostTrue + (oneShort ? 1 : 0);
  }

  Word low_ = 0;
  Word high_ = 0;
};

#if defined(__SIZEOF_INT128__) && !defined(TAVO_PORTABLE_DOUBLE_WORD)
__extension__ typedef unsigned __int128 DoubleWord;
#else
using DoubleWord = PortableDoubleWord;
#endif

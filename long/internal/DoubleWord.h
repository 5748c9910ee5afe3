// The double word of the word kernels: 128 bits, enough for the product of two words plus two
// more words, and for the dividend of a division by a word.
//
// GCC and clang give 64-bit targets a native 128-bit integer, and the kernels use it there:
// its products and divisions are single instructions or the runtime's own. Everywhere else
// (32-bit targets, MSVC, or any build with TAVO_PORTABLE_DOUBLE_WORD) the double word is a
// pair of words in standard C++. The words stay 64 bits on every target, so that the record,
// the decimal word of 19 digits and every result are the same everywhere; a 32-bit CPU pays
// for that in its 64-bit arithmetic, which its compiler builds from 32-bit instructions.
#pragma once

#include <cstdint>

using Word = std::uint64_t;
inline constexpr int WordBits = 64;

#if defined(__SIZEOF_INT128__) && !defined(TAVO_PORTABLE_DOUBLE_WORD)

__extension__ typedef unsigned __int128 DoubleWord;

#else

// An unsigned 128-bit integer with the operators of a built-in one, wrapping modulo 2^128.
// Products of words are formed from 32-bit halves and quotients by Knuth's Algorithm D on
// 32-bit half-words (TAOCP vol. 2, section 4.3.1), so that nothing needs more than a 64-bit
// product or a 64-by-32-bit quotient.
class DoubleWord {
 public:
  constexpr DoubleWord() = default;
  constexpr DoubleWord(Word low) : low_(low) {}  // NOLINT: converts as a built-in integer does

  constexpr explicit operator Word() const { return low_; }

  friend constexpr DoubleWord operator+(DoubleWord a, DoubleWord b) {
    const Word low = a.low_ + b.low_;
    return Join(a.high_ + b.high_ + (low < a.low_), low);
  }
  friend constexpr DoubleWord operator-(DoubleWord a, DoubleWord b) {
    return Join(a.high_ - b.high_ - (a.low_ < b.low_), a.low_ - b.low_);
  }
  // The low 128 bits of the product.
  friend constexpr DoubleWord operator*(DoubleWord a, DoubleWord b) {
    const DoubleWord low = MultiplyWords(a.low_, b.low_);
    return Join(low.high_ + a.high_ * b.low_ + a.low_ * b.high_, low.low_);
  }
  friend constexpr DoubleWord operator/(DoubleWord a, DoubleWord b) { return Divide(a, b); }
  friend constexpr DoubleWord operator%(DoubleWord a, DoubleWord b) { return a - Divide(a, b) * b; }

  friend constexpr DoubleWord operator<<(DoubleWord a, int s) {
    if (s == 0) return a;
    if (s >= WordBits) return Join(a.low_ << (s - WordBits), 0);
    return Join(a.high_ << s | a.low_ >> (WordBits - s), a.low_ << s);
  }
  friend constexpr DoubleWord operator>>(DoubleWord a, int s) {
    if (s == 0) return a;
    if (s >= WordBits) return Join(0, a.high_ >> (s - WordBits));
    return Join(a.high_ >> s, a.low_ >> s | a.high_ << (WordBits - s));
  }
  friend constexpr DoubleWord operator|(DoubleWord a, DoubleWord b) {
    return Join(a.high_ | b.high_, a.low_ | b.low_);
  }
  friend constexpr DoubleWord operator&(DoubleWord a, DoubleWord b) {
    return Join(a.high_ & b.high_, a.low_ & b.low_);
  }

  friend constexpr bool operator==(DoubleWord a, DoubleWord b) {
    return a.high_ == b.high_ && a.low_ == b.low_;
  }
  friend constexpr bool operator<(DoubleWord a, DoubleWord b) {
    return a.high_ != b.high_ ? a.high_ < b.high_ : a.low_ < b.low_;
  }
  friend constexpr bool operator>(DoubleWord a, DoubleWord b) { return b < a; }
  friend constexpr bool operator<=(DoubleWord a, DoubleWord b) { return !(b < a); }
  friend constexpr bool operator>=(DoubleWord a, DoubleWord b) { return !(a < b); }

  constexpr DoubleWord& operator+=(DoubleWord b) { return *this = *this + b; }
  constexpr DoubleWord& operator-=(DoubleWord b) { return *this = *this - b; }
  constexpr DoubleWord& operator>>=(int s) { return *this = *this >> s; }
  constexpr DoubleWord& operator<<=(int s) { return *this = *this << s; }

 private:
  static constexpr Word HalfMask = 0xFFFFFFFF;
  static constexpr int HalfBits = 32;

  static constexpr DoubleWord Join(Word high, Word low) {
    DoubleWord x(low);
    x.high_ = high;
    return x;
  }

  // The whole product of two words, from the four products of their halves.
  static constexpr DoubleWord MultiplyWords(Word a, Word b) {
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
  // each estimate from the top half of d is at most two too large, and the test with the second
  // half brings it to the true digit but in rare cases where one more step corrects it.
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

  static constexpr DoubleWord Divide(DoubleWord a, DoubleWord b) {
    Word rem = 0;
    if (b.high_ == 0) {
      // Two divisions by a word: the high word of the quotient, then the low one.
      const Word high = a.high_ / b.low_;
      return Join(high, DivideByWord(a.high_ % b.low_, a.low_, b.low_, rem));
    }
    // The quotient fits in a word. Divide a / 2 by the top 64 bits of b (b normalised): that
    // quotient, moved back by the normalising shift, is the true one or one too large after
    // the decrement below, which the last comparison mends (Warren, Hacker's Delight, 9-5).
    const int s = std::countl_zero(b.high_);
    const Word bTop = (b << s).high_;
    const DoubleWord half = a >> 1;
    Word q = DivideByWord(half.high_, half.low_, bTop, rem) >> (WordBits - 1 - s);
    if (q != 0) --q;
    if (a - DoubleWord(q) * b >= b) ++q;
    return DoubleWord(q);
  }

  Word low_ = 0;
  Word high_ = 0;
};

#endif

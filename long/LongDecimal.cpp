// Decimal expansion of a proper fraction, a decimal word per division: the remainder is
// multiplied by 10^19 and divided by the denominator, whose quotient then fits in one word.
#include <bit>
#include <cassert>
#include <cstdint>

#include "DoubleWord.h"
#include "LongRecord.h"
#include "LongWords.h"
#include "TavoLong.h"

void WriteDecimalWord(std::uint64_t w, int count, char* digits) {
  assert(count <= DecimalWordDigits && (count == DecimalWordDigits || w < PowerOfTen(count)));
  for (int i = count - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + w % 10);
    w /= 10;
  }
}

void LongExpandDecimal(const TLongNum& num, const TLongNum& den, int count, char* digits,
                       TLongNum& remainder) {
  assert(count >= 0 && !num.Overflowed && !den.Overflowed && !LongIsZero(den) &&
         LongCompareAbs(num, den) < 0);
  // Work on the remainder and the denominator shifted so that the denominator's top bit is
  // set: the quotients stay the same, and the division needs no shifting of its own.
  const int nd = UsedWords(den);
  const int nn = UsedWords(num);
  const int shift = std::countl_zero(den.Digit.Word[nd - 1]);
  Word v[WordSlots];
  Word u[WordSlots + 1] = {};
  if (shift == 0) {
    for (int i = 0; i < nd; ++i)
      v[i] = den.Digit.Word[i];
    for (int i = 0; i < nn; ++i)
      u[i] = num.Digit.Word[i];
  } else {
    WordsShiftLeft(v, WordsOf(den), nd, shift);
    // num < den, so the shifted numerator still fits in nd words.
    const Word out = WordsShiftLeft(u, WordsOf(num), nn, shift);
    if (nn < nd) u[nn] = out;
  }
  const Word inverse = WordReciprocal(v[nd - 1]);

  for (int done = 0; done < count; done += DecimalWordDigits) {
    const int chunk = count - done < DecimalWordDigits ? count - done : DecimalWordDigits;
    const Word scale = PowerOfTen(chunk);
    Word q;
    if (nd == 1) {
      const DoubleWord product = DoubleWord{u[0]} * scale;
      q = DivideTwoByOne(u[0], static_cast<Word>(product >> WordBits), static_cast<Word>(product),
                         v[0], inverse);
    } else {
      u[nd] = WordsMulWord(u, u, nd, scale);
      WordsDivRemNormalized(&q, u, nd + 1, v, nd, inverse);
    }
    WriteDecimalWord(q, chunk, digits + done);
  }
  if (shift != 0) WordsShiftRight(u, u, nd, shift);
  StoreMagnitude(remainder, u, nd, 1);
}

#include "DecimalFixed.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "DecimalBounds.h"
#include "DoubleWord.h"
#include "LongWords.h"
#include "TavoLong.h"

namespace {

constexpr Word Base = PowerOfTen(DecimalWordDigits);

// One step of a sweep: long division by b of a number whose words may exceed the base. Word i
// of a x + c is a w_i, plus c in the integer word, and the step divides r 10^19 + a w_i, r the
// remainder before it, below b. b and a are shifted so that b's top bit is set, as the division
// by a word through its reciprocal needs; the remainder stays shifted from word to word.
class DivisionStep {
 public:
  explicit DivisionStep(const DecimalStep& step)
      : shift_(std::countl_zero(step.b)),
        divisor_(step.b << shift_),
        inverse_(WordReciprocal(divisor_)),
        a_(step.a << shift_),  // a <= b, so this does not overflow
        c_(step.c) {
    // Words up to 2 10^19 come in; (b - 1 + 2 a) 10^19 < b 2^64 keeps the quotient in a word.
    assert(step.b > 0 && (DoubleWord{step.b} - 1 + 2 * DoubleWord{step.a}) * Base <
                             DoubleWord{step.b} << WordBits);
  }
  // The quotient of the next word, the integer word first: its a w + c is below 2^64.
  Word Next(Word w, bool first) {
    const DoubleWord n = first ? DoubleWord{(a_ >> shift_) * w + c_} << shift_
                               : DoubleWord{r_} * Base + DoubleWord{a_} * w;
    return DivideTwoByOne(r_, static_cast<Word>(n >> WordBits), static_cast<Word>(n), divisor_,
                          inverse_);
  }

 private:
  int shift_;
  Word divisor_, inverse_, a_, c_;
  Word r_ = 0;
};

// Steps one after the other in one sweep over w[0..words]: each word goes through every step
// before the next word comes. Where a step's a exceeds 1 a quotient word may reach the base,
// though rarely; such words carry into the words above after the sweep.
template <bool MayCarry, class... Steps>
void Sweep(Word* w, int words, Steps... steps) {
  ((w[0] = steps.Next(w[0], true)), ...);
  bool carries = false;
  for (int i = 1; i <= words; ++i) {
    Word x = w[i];
    ((x = steps.Next(x, false)), ...);
    w[i] = x;
    if constexpr (MayCarry) carries |= x >= Base;
  }
  for (int i = words; carries && i > 0; --i) {
    if (w[i] >= Base) {
      w[i] -= Base;
      ++w[i - 1];
    }
  }
}

// A tail's mantissa m times 10^shift, shift at most 19, rounded down or up, in whole 10^19s
// and a part below 10^19.
struct InUnits {
  Word whole = 0, part = 0;

  InUnits(Word m, int shift, bool up) {
    if (shift >= 0) {
      whole = m / PowerOfTen(DecimalWordDigits - shift);
      part = m % PowerOfTen(DecimalWordDigits - shift) * PowerOfTen(shift);
    } else {
      const Word p = shift >= -DecimalWordDigits ? PowerOfTen(-shift) : ~Word{0};
      part = m / p + (up && m % p != 0 ? 1 : 0);
    }
  }
};

// floor(d / 10^19) for d in [-10^19, 2 10^19), given d + 10^19.
std::int64_t FloorOfShifted(DoubleWord shifted) {
  return (shifted >= DoubleWord{Base} * 2 ? 1 : 0) - (shifted < Base ? 1 : 0);
}

}  // namespace

DecimalFixed::DecimalFixed(int fractionWords, std::uint32_t num, std::uint32_t den)
    : words_(static_cast<std::size_t>(fractionWords) + 1) {
  const DecimalStep step{0, num, den};
  MulAddDivide({&step, 1}, fractionWords);
}

void DecimalFixed::MulAddDivide(std::span<const DecimalStep> steps, int words) {
  assert(words <= FractionWords() &&
         std::all_of(words_.begin() + words + 1, words_.end(), [](Word w) { return w == 0; }));
  const auto sweep = [&](auto... step) {
    if ((... && (step.a <= 1))) {
      Sweep<false>(words_.data(), words, DivisionStep(step)...);
    } else {
      Sweep<true>(words_.data(), words, DivisionStep(step)...);
    }
  };
  std::size_t i = 0;
  for (; i + 1 < steps.size(); i += 2)
    sweep(steps[i], steps[i + 1]);
  if (i < steps.size()) sweep(steps[i]);
}

void DecimalFixed::Subtract(const DecimalFixed& x) {
  assert(x.words_.size() == words_.size());
  Word borrow = 0;
  for (std::size_t i = words_.size(); i-- > 0;) {
    const Word take = x.words_[i] + borrow;
    borrow = words_[i] < take;
    words_[i] = words_[i] - take + (i > 0 && borrow != 0 ? Base : 0);
  }
  assert(borrow == 0);  // x is at most this
}

// In units U = 10^-(count + 19): this number is I 10^19 + F + f with I its first count digits,
// F the 19 after them and f in [0, 1), and an error of less than 10^19 units of the last word is
// less than one U (WordsToDecide). So v lies within [I 10^19 + F - 1, I 10^19 + F + 2), and
// v - t within [I 10^19 + lo, I 10^19 + hi) with lo and hi integers. Where lo div 10^19 and
// (hi - 1) div 10^19 agree, that quotient is q: each is the tail's whole 10^19s and the
// quotient of F +- 1 and the tail's part.
std::optional<std::int64_t> DecimalFixed::DigitsOffset(std::int32_t count,
                                                       const TailBounds& tail) const {
  assert(count >= 0);
  if (WordsToDecide(count) > FractionWords()) return std::nullopt;
  const auto cut = static_cast<std::size_t>(count);
  const std::size_t i = cut / DecimalWordDigits + 1;
  const int above = static_cast<int>(cut % DecimalWordDigits);
  const Word f = words_[i] % PowerOfTen(DecimalWordDigits - above) * PowerOfTen(above) +
                 words_[i + 1] / PowerOfTen(DecimalWordDigits - above);
  const DecimalBounds& m = tail.magnitude;
  const int shift = m.exponent + count + DecimalWordDigits;
  if (shift > DecimalWordDigits) return std::nullopt;
  const InUnits low(m.low, shift, false), high(m.high, shift, true);
  const auto whole = [](Word w) { return static_cast<std::int64_t>(w); };
  const DoubleWord shiftedF = DoubleWord{Base} + f;
  const std::int64_t lo = tail.negative
                              ? whole(low.whole) + FloorOfShifted(shiftedF - 1 + low.part)
                              : FloorOfShifted(shiftedF - 1 - high.part) - whole(high.whole);
  const std::int64_t hi = tail.negative
                              ? whole(high.whole) + FloorOfShifted(shiftedF + 1 + high.part)
                              : FloorOfShifted(shiftedF + 1 - low.part) - whole(low.whole);
  if (lo != hi) return std::nullopt;
  return lo;
}

void DecimalFixed::WriteDigits(std::int32_t count, std::string& text) const {
  assert(count >= 0 && count <= DecimalWordDigits * FractionWords());
  text.resize(static_cast<std::size_t>(count));
  for (std::size_t at = 0; at < text.size(); at += DecimalWordDigits) {
    const Word w = words_[at / DecimalWordDigits + 1];
    const std::size_t left = text.size() - at;
    if (left >= DecimalWordDigits) {
      WriteDecimalWord(w, DecimalWordDigits, text.data() + at);
    } else {
      const int part = static_cast<int>(left);
      WriteDecimalWord(w / PowerOfTen(DecimalWordDigits - part), part, text.data() + at);
    }
  }
}

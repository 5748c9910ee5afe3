#include "DecimalFixed.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

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

void DecimalFixed::WriteDigits(std::int32_t count, std::string& digits) const {
  assert(count >= 0 && count <= DecimalWordDigits * FractionWords());
  digits.resize(static_cast<std::size_t>(count));
  for (std::size_t at = 0; at < digits.size(); at += DecimalWordDigits) {
    const Word w = words_[at / DecimalWordDigits + 1];
    const std::size_t left = digits.size() - at;
    if (left >= DecimalWordDigits) {
      WriteDecimalWord(w, DecimalWordDigits, digits.data() + at);
    } else {
      const int part = static_cast<int>(left);
      WriteDecimalWord(w / PowerOfTen(DecimalWordDigits - part), part, digits.data() + at);
    }
  }
}

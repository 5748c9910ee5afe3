#include "DecimalFixed.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <string>

#include "DoubleWord.h"
#include "TavoLong.h"

namespace {

constexpr Word Base = PowerOfTen(DecimalWordDigits);

// A divisor d below 2^31, prepared once for dividing decimal words by it. With
// 10^19 = d Bq + Br, (r 10^19 + w) div d = r Bq + (r Br + w) div d, where r Br + w stays below
// 2^64 since r and Br are below d; that quotient of a word by d comes from a multiplication by
// a precomputed inverse (Granlund and Montgomery, "Division by invariant integers using
// multiplication", PLDI 1994, figure 4.1).
class SmallDivisor {
 public:
  explicit SmallDivisor(std::uint32_t d)
      : d_(d),
        quotient_(Base / d),
        remainder_(Base % d),
        shift_(static_cast<int>(std::bit_width(Word{d} - 1))),
        inverse_(static_cast<Word>((DoubleWord{(Word{1} << shift_) - d} << WordBits) / d) + 1) {
    assert(d > 0 && d < Word{1} << 31);
  }

  // (r 10^19 + w) div d, with the remainder left in r; r < d.
  Word Divide(Word& r, Word w) const {
    const Word n = r * remainder_ + w;
    const auto t = static_cast<Word>(DoubleWord{inverse_} * n >> WordBits);
    const Word q = (t + ((n - t) >> (shift_ > 0 ? 1 : 0))) >> (shift_ > 0 ? shift_ - 1 : 0);
    const Word whole = r * quotient_ + q;
    r = n - q * d_;
    return whole;
  }

 private:
  Word d_, quotient_, remainder_;
  int shift_;  // the bits of d - 1: 2^(shift_ - 1) < d <= 2^shift_
  Word inverse_;
};

}  // namespace

DecimalFixed::DecimalFixed(int fractionWords, std::uint32_t num, std::uint32_t den)
    : words_(static_cast<std::size_t>(fractionWords) + 1) {
  assert(den > 0);
  const SmallDivisor divisor(den);
  words_[0] = num / den;
  Word r = num % den;
  for (std::size_t i = 1; i < words_.size(); ++i)
    words_[i] = divisor.Divide(r, 0);
  SkipLeadingZeros();
}

void DecimalFixed::DivideBy(std::uint32_t d) {
  assert(d > 0);
  const SmallDivisor divisor(d);
  Changed(lead_);
  Word r = 0;
  for (std::size_t i = lead_; i < words_.size(); ++i)
    words_[i] = divisor.Divide(r, words_[i]);
  SkipLeadingZeros();
}

void DecimalFixed::DivideBy(std::uint32_t d, std::uint32_t e, DecimalFixed& byBoth) {
  assert(d > 0 && e > 0 && std::uint64_t{d} * e < Word{1} << 31 && &byBoth != this &&
         byBoth.words_.size() == words_.size());
  const SmallDivisor divisor(d), both(d * e);
  // byBoth is zero above this one's lead, as this one's quotient is.
  const auto word = [&byBoth](std::size_t i) {
    return byBoth.words_.begin() + static_cast<std::ptrdiff_t>(i);
  };
  if (byBoth.lead_ < lead_) std::fill(word(byBoth.lead_), word(lead_), 0);
  byBoth.lead_ = lead_;
  byBoth.Changed(0);
  Changed(lead_);
  Word r = 0, rBoth = 0;
  for (std::size_t i = lead_; i < words_.size(); ++i) {
    const Word w = words_[i];
    words_[i] = divisor.Divide(r, w);
    byBoth.words_[i] = both.Divide(rBoth, w);
  }
  SkipLeadingZeros();
  byBoth.SkipLeadingZeros();
}

// Below x's lead, word by word; above it, only the carry, which stops at the first word that
// is not 10^19 - 1. The words' carries are as likely as not, so they are taken without a
// branch.
void DecimalFixed::Add(const DecimalFixed& x) {
  assert(x.words_.size() == words_.size());
  const std::size_t xLead = x.lead_;
  std::size_t i = words_.size();
  Word carry = 0;
  while (i > xLead) {
    --i;
    // Each word is below 10^19, more than half of 2^64: the sum may pass 2^64, and has its
    // carry then too.
    const Word addend = x.words_[i] + carry;
    const Word sum = words_[i] + addend;
    carry = (sum < addend) | (sum >= Base);
    words_[i] = sum - (Base & (0 - carry));
  }
  for (; carry != 0; carry = words_[i] == 0) {
    assert(i > 0);  // the sum stays below 10^19
    --i;
    words_[i] = words_[i] == Base - 1 ? 0 : words_[i] + 1;
  }
  Changed(i);
  lead_ = std::min(lead_, i);
  SkipLeadingZeros();
}

// The same below x's lead, and above it only the borrow, which stops at the first word that is
// not 0.
void DecimalFixed::Subtract(const DecimalFixed& x) {
  assert(x.words_.size() == words_.size());
  const std::size_t xLead = x.lead_;
  std::size_t i = words_.size();
  Word borrow = 0;
  while (i > xLead) {
    --i;
    const Word take = x.words_[i] + borrow;
    borrow = words_[i] < take;
    words_[i] = words_[i] - take + (Base & (0 - borrow));
  }
  for (; borrow != 0; borrow = words_[i] == Base - 1) {
    assert(i > 0);  // x is at most this
    --i;
    words_[i] = words_[i] == 0 ? Base - 1 : words_[i] - 1;
  }
  Changed(i);
  SkipLeadingZeros();
}

// With v this number, every number of [v - e, v + e] has v's first count digits when the part
// R of v below those digits keeps v - e and v + e on the same side of each cut: R >= e and
// R + e below the unit of the last digit kept. R's pieces are the rest of the word the cut
// falls in and the words below it; only the lowest one can hold all of e or overflow by it,
// so the first piece above it that is not 0 and the first that is not at its largest decide.
// (With R >= e, v - e >= 0; with no integer part, v + e stays below 1.)
bool DecimalFixed::DigitsWithin(std::uint64_t error, std::int32_t count) const {
  assert(error < Base && count >= 0);
  const std::size_t last = words_.size() - 1;
  const auto digits = static_cast<std::size_t>(count);
  if (digits > DecimalWordDigits * last || words_[0] != 0) return false;
  std::size_t i = digits / DecimalWordDigits + 1;
  if (i > last) return error == 0;  // the cut is below the last word: R = 0
  // The first piece: what lies below the cut in word i.
  Word bound = PowerOfTen(DecimalWordDigits - static_cast<int>(digits % DecimalWordDigits));
  Word piece = bound == Base ? words_[i] : words_[i] % bound;
  bool aboveNotZero = false, aboveNotFull = false;
  for (; i < last; ++i) {
    aboveNotZero = aboveNotZero || piece != 0;
    aboveNotFull = aboveNotFull || piece != bound - 1;
    if (aboveNotZero && aboveNotFull) return true;
    piece = words_[i + 1];
    bound = Base;
  }
  return (aboveNotZero || piece >= error) &&
         (aboveNotFull || (error < bound && piece < bound - error));
}

void DecimalFixed::WriteDigits(std::int32_t count, std::string& text) const {
  text.resize(static_cast<std::size_t>(count));
  WriteDigitsFrom(0, text);
}

void DecimalFixed::UpdateDigits(std::int32_t count, std::string& text) {
  const auto digits = static_cast<std::size_t>(count);
  const std::size_t kept =
      std::min({writtenWords_, text.size() / DecimalWordDigits, digits / DecimalWordDigits});
  text.resize(digits);
  WriteDigitsFrom(kept, text);
  writtenWords_ = digits / DecimalWordDigits;
}

void DecimalFixed::WriteDigitsFrom(std::size_t first, std::string& text) const {
  assert(text.size() <= DecimalWordDigits * (words_.size() - 1));
  for (std::size_t at = first * DecimalWordDigits; at < text.size(); at += DecimalWordDigits) {
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

void DecimalFixed::SkipLeadingZeros() {
  while (lead_ < words_.size() && words_[lead_] == 0)
    ++lead_;
}

void DecimalFixed::Changed(std::size_t i) {
  // Word i is the digits' word i - 1.
  writtenWords_ = std::min(writtenWords_, i == 0 ? 0 : i - 1);
}

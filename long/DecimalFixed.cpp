#include "DecimalFixed.h"

#include <algorithm>
#include <bit>
#include <cassert>

#include "LongWords.h"
#include "TavoLong.h"

namespace {

constexpr Word Base = PowerOfTen(DecimalWordDigits);

// A divisor below 2^32, normalised once for the division of a double word by it.
class SmallDivisor {
 public:
  explicit SmallDivisor(std::uint32_t d)
      : shift_(std::countl_zero(Word{d})),
        normalised_(Word{d} << shift_),
        inverse_(WordReciprocal(normalised_)) {}

  // (r 10^19 + w) div d, with the remainder left in r; r < d. The dividend is below d 2^64,
  // so the quotient fits in a word, and so does the dividend shifted with d.
  Word Divide(Word& r, Word w) const {
    const DoubleWord x = (DoubleWord{r} * Base + w) << shift_;
    Word rem = 0;
    const Word q = DivideTwoByOne(rem, static_cast<Word>(x >> WordBits), static_cast<Word>(x),
                                  normalised_, inverse_);
    r = rem >> shift_;
    return q;
  }

 private:
  int shift_;
  Word normalised_;
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
  Word r = 0;
  for (std::size_t i = lead_; i < words_.size(); ++i)
    words_[i] = divisor.Divide(r, words_[i]);
  SkipLeadingZeros();
}

void DecimalFixed::Add(const DecimalFixed& x) {
  assert(x.words_.size() == words_.size());
  const std::size_t from = std::min(lead_, x.lead_);
  Word carry = 0;
  for (std::size_t i = words_.size(); i-- > from;) {
    // Each word is below 10^19, more than half of 2^64, so the sum is tested against what
    // the word lacks of 10^19 instead of being formed.
    const Word room = Base - x.words_[i] - carry;
    carry = words_[i] >= room;
    words_[i] = carry ? words_[i] - room : words_[i] + (Base - room);
  }
  // Above from, this holds zeros, so a carry stops in the next word up.
  assert(carry == 0 || from > 0);
  if (carry != 0) words_[from - 1] = 1;
  lead_ = from;
  SkipLeadingZeros();
}

void DecimalFixed::Subtract(const DecimalFixed& x) {
  assert(x.words_.size() == words_.size());
  const std::size_t from = std::min(lead_, x.lead_);
  Word borrow = 0;
  for (std::size_t i = words_.size(); i-- > from;) {
    const Word take = x.words_[i] + borrow;
    borrow = words_[i] < take;
    words_[i] = borrow ? words_[i] + (Base - take) : words_[i] - take;
  }
  assert(borrow == 0);
  SkipLeadingZeros();
}

// The copy v lies within e units of its last word of the true value S, so S lies in
// [v - e, v + e]. Cutting a number to count digits keeps its order, so when v - e and v + e
// have the same first count digits, S has them too.
bool DecimalFixed::DigitsWithin(std::uint64_t error, std::int32_t count, std::string& text) const {
  assert(error < Base && count >= 0);
  if (static_cast<std::size_t>(count) > DecimalWordDigits * (words_.size() - 1)) return false;
  std::vector<Word> low = words_, high = words_;
  // low := v - e, high := v + e, with the borrow and the carry through the words above.
  Word borrow = error, carry = error;
  for (std::size_t i = words_.size(); i-- > 0 && (borrow != 0 || carry != 0);) {
    const Word l = low[i];
    low[i] = l >= borrow ? l - borrow : l + (Base - borrow);
    borrow = l < borrow;
    const Word h = high[i];
    const Word room = Base - carry;
    carry = h >= room;
    high[i] = carry ? h - room : h + (Base - room);
  }
  if (borrow != 0 || carry != 0 || low[0] != 0 || high[0] != 0) return false;
  const auto whole = static_cast<std::size_t>(count / DecimalWordDigits);
  const int part = count % DecimalWordDigits;
  for (std::size_t i = 1; i <= whole; ++i) {
    if (low[i] != high[i]) return false;
  }
  if (part > 0) {
    const Word cut = PowerOfTen(DecimalWordDigits - part);
    if (low[whole + 1] / cut != high[whole + 1] / cut) return false;
  }
  text.assign(static_cast<std::size_t>(count), '0');
  for (std::size_t i = 0; i < whole; ++i)
    WriteDecimalWord(low[i + 1], DecimalWordDigits, text.data() + i * DecimalWordDigits);
  if (part > 0) {
    WriteDecimalWord(low[whole + 1] / PowerOfTen(DecimalWordDigits - part), part,
                     text.data() + whole * DecimalWordDigits);
  }
  return true;
}

void DecimalFixed::SkipLeadingZeros() {
  while (lead_ < words_.size() && words_[lead_] == 0)
    ++lead_;
}

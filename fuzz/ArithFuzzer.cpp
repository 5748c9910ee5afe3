// Bytes decoded into one operation of TavoLong or TavoLongBunsuu and its operands: lengths up
// to the capacity, either sign, zeros with either Sign, saturated values. The result and
// OverflowFlag must be what GMP and the saturation rules say.
#include <gmpxx.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "ArithCheck.h"
#include "DecimalBounds.h"
#include "ExpansionCheck.h"
#include "FuzzCheck.h"
#include "LongGmp.h"
#include "TavoLong.h"

namespace {

using namespace arithcheck;

// The input as a stream of bytes, zeros once it runs out.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }
  // Each read is a statement of its own: the order in which a call's arguments are worked
  // out is not fixed, and an input must decode alike under every compiler.
  unsigned Below(unsigned n) {
    const unsigned lo = Next();
    const unsigned hi = Next();
    return (lo | hi << 8) % n;
  }
  // The next count bytes, repeating those given when the input runs out.
  void Fill(std::uint8_t* out, int count) {
    const std::size_t start = pos_;
    for (int i = 0; i < count; ++i) {
      if (pos_ < size_) {
        out[i] = data_[pos_++];
      } else {
        out[i] =
            start < size_ ? data_[start + static_cast<std::size_t>(i) % (size_ - start)] : 0xFF;
      }
    }
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

TLongNum Operand(Bytes& in) {
  const unsigned kind = in.Next() % 12;
  switch (kind) {
    case 0:
      return MaxLongNum;
    case 1:
      return longtest::NegatedMax();
    case 2:
      return LongZero;
    case 3:
      return Record(0, -1);
    default:
      break;
  }
  TLongNum r;
  const int len = kind == 4 ? MaxDigits : 1 + static_cast<int>(in.Below(kind < 8 ? MaxDigits : 24));
  std::uint8_t digits[MaxDigits];
  in.Fill(digits, len);
  for (int i = 0; i < len; ++i)
    r.Digit[i] = digits[i];
  if (kind == 5) {
    for (int i = 0; i < len; ++i)
      r.Digit[i] = 0xFF;
  }
  if (kind == 4) r.Digit[len - 1] |= 0x80;
  if (r.Digit[len - 1] == 0) r.Digit[len - 1] = 1;
  r.Len = static_cast<std::uint16_t>(len);
  r.Sign = in.Next() & 1 ? -1 : 1;
  return r;
}

// The fuzzer keeps the input of a check that fails.
void Report(const std::string& what) {
  FuzzCheck(false, what.c_str());
}
arithcheck::Checker& Check() {
  static arithcheck::Checker checker(Report);
  return checker;
}

// One longhand square-root step on a root and a remainder within the step's precondition.
void CheckSqrtStep(const TLongNum& rootIn, Bytes& in) {
  if (rootIn.Overflowed) return;
  const mpz_class root = Magnitude(rootIn);
  const mpz_class rem = mpz_class(in.Below(65535)) * (root / 65535 + 1) % (2 * root + 1);
  Check().SqrtStep(root, rem);
}

void CheckExpansion(const TLongNum& a, const TLongNum& b, Bytes& in) {
  if (a.Overflowed || b.Overflowed || LongIsZero(b)) return;
  const int count = static_cast<int>(in.Below(400));
  Check().Expansion(Record(Magnitude(a) % Magnitude(b), a.Sign), b, count, a);
}

// Fractions of the four operands; those that are plain are brought to lowest terms with
// positive denominators first, as the sum by Henrici's method needs.
void CheckFractions(const TLongNum& a, const TLongNum& b, const TLongNum& c, const TLongNum& d) {
  const bool plain = !a.Overflowed && !b.Overflowed && !c.Overflowed && !d.Overflowed &&
                     !LongIsZero(b) && !LongIsZero(d);
  if (!plain) {
    Check().Fractions({a, b}, {c, d});
    return;
  }
  mpq_class qx(Value(a), Value(b)), qy(Value(c), Value(d));
  qx.canonicalize();
  qy.canonicalize();
  Check().Fractions(arithcheck::F(qx), arithcheck::F(qy));
}

// Decimal fixed point on a fraction and steps, and the offset of its digits under an error and a
// tail, from the bytes, against GMP.
void CheckDecimalFixed(Bytes& in) {
  // Eight bytes as a number.
  const auto word = [&in] {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
      v = v << 8 | in.Next();
    return v;
  };
  const auto below = [&in](int n) { return static_cast<int>(in.Below(static_cast<unsigned>(n))); };
  OffsetCase c{};
  c.value = DecimalCaseFrom(word, below);
  c.error = word() % PowerOfTen(19);
  c.count = below(19 * c.value.words + 3);
  const std::uint64_t low = word() % DecimalBounds::MantissaLimit;
  const std::uint64_t high = low + word() % (DecimalBounds::MantissaLimit - low);
  const int exponent = -c.count - below(40);
  c.tail = {{low, high, exponent}, in.Below(2) == 0};
  CheckOffset(c, Report);
}

// What the bytes of an input ask for. Every file of the corpus means what these codes say, so
// an operation keeps its code for good and a new one takes a code of its own. The first byte,
// modulo 16, picks the check, 13 and 15 all the fractions; for a shift, a later byte, modulo 4,
// picks the shift. Under code 14, a later byte, modulo 16, picks one of the operations of a
// record and a word (the word from b), decimal fixed point or the double word (its operands
// the low words of a and b).
const std::map<unsigned, const BinaryCase*> BinaryCodes = {
    {0, &Add}, {1, &Sub}, {2, &AddAbs}, {3, &SubAbs}, {4, &Mul}, {5, &Div}, {6, &Mod}, {8, &Gcd}};
constexpr unsigned DivModCode = 7, ShiftCode = 9, QueriesCode = 10, SqrtCode = 11,
                   ExpansionCode = 12;
const std::map<unsigned, const ShiftCase*> ShiftCodes = {
    {0, &ShiftLeft}, {1, &ShiftRight}, {2, &ShiftLeftDigits}, {3, &ShiftRightDigits}};
constexpr unsigned MoreCode = 14;
const std::map<unsigned, const BinaryCase*> WordCodes = {
    {0, &MulWord},      {1, &DivModWord},       {2, &DivModWordRemainder}, {3, &ModWord},
    {4, &DivExactWord}, {7, &MulWordPairFirst}, {8, &MulWordPairSecond}};
constexpr unsigned DecimalFixedCode = 5, DoubleWordCode = 6;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  const unsigned code = in.Next() % 16;
  const TLongNum a = Operand(in);
  const TLongNum b = Operand(in);
  if (const auto binary = BinaryCodes.find(code); binary != BinaryCodes.end()) {
    Check().BinaryOp(*binary->second, a, b, b);
    return 0;
  }
  switch (code) {
    case DivModCode:
      Check().DivMod(a, b, b);
      break;
    case ShiftCode: {
      // Counts within a value's length most of the time: beyond it a right shift empties it.
      const unsigned range = in.Next() % 4 == 0 ? 65536 : in.Next() % 2 ? 80 : MaxBits + 16;
      const unsigned count = in.Below(range);
      Check().Shifted(*ShiftCodes.at(in.Next() % 4), a, static_cast<int>(count));
      break;
    }
    case QueriesCode:
      Check().Queries(a, b);
      break;
    case SqrtCode:
      CheckSqrtStep(a, in);
      break;
    case ExpansionCode:
      CheckExpansion(a, b, in);
      break;
    case MoreCode: {
      const unsigned more = in.Next() % 16;
      if (const auto word = WordCodes.find(more); word != WordCodes.end()) {
        Check().BinaryOp(*word->second, a, b, b);
      } else if (more == DecimalFixedCode) {
        CheckDecimalFixed(in);
      } else if (more == DoubleWordCode) {
#if defined(__SIZEOF_INT128__)
        const unsigned shift = in.Below(128);
        Check().DoubleWordOperators(a.Digit.Word[1], a.Digit.Word[0], b.Digit.Word[1],
                                    b.Digit.Word[0], static_cast<int>(shift));
#endif
      }
      break;
    }
    default: {
      const TLongNum c = Operand(in);
      const TLongNum d = Operand(in);
      CheckFractions(a, b, c, d);
      break;
    }
  }
  return 0;
}

// Bytes decoded into one operation of TavoLong or TavoLongBunsuu and its operands: lengths up
// to the capacity, either sign, zeros with either Sign, saturated values. The result and
// OverflowFlag must be what GMP and the saturation rules say.
#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "LongGmp.h"
#include "LongModels.h"
#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

using namespace longmodels;
using longtest::SameFields;

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
  in.Fill(r.Digit.Bytes(), len);
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

void CheckOutcome(const TLongNum& actual, const Outcome& expected, const char* what) {
  FuzzCheck(SameFields(actual, expected.value), what);
  FuzzCheck(OverflowFlag == expected.flag, what);
}

using Binary = void (*)(const TLongNum&, const TLongNum&, TLongNum&);
using BinaryModel = Outcome (*)(const TLongNum&, const TLongNum&);

// The operation with a separate result and with the result in each operand.
void CheckBinary(Binary op, BinaryModel model, const TLongNum& a, const TLongNum& b,
                 const char* what) {
  const Outcome expected = model(a, b);
  TLongNum r = b;
  OverflowFlag = false;
  op(a, b, r);
  CheckOutcome(r, expected, what);
  TLongNum x = a;
  OverflowFlag = false;
  op(x, b, x);
  CheckOutcome(x, expected, what);
  TLongNum y = b;
  OverflowFlag = false;
  op(a, y, y);
  CheckOutcome(y, expected, what);
}

void CheckDivMod(const TLongNum& n, const TLongNum& d) {
  const DivisionOutcome e = ModelDivision(n, d, true);
  TLongNum q = d, r = n;
  OverflowFlag = false;
  LongDivMod(n, d, q, r);
  CheckOutcome(q, e.q, "LongDivMod quotient");
  FuzzCheck(SameFields(r, e.r.value), "LongDivMod remainder");
  TLongNum x = n, y = d;
  OverflowFlag = false;
  LongDivMod(x, y, y, x);
  CheckOutcome(y, e.q, "LongDivMod quotient over the divisor");
  FuzzCheck(SameFields(x, e.r.value), "LongDivMod remainder over the dividend");
}

void CheckShift(const TLongNum& a, unsigned count, int which) {
  static void (*const shifts[])(TLongNum&, std::uint16_t) = {
      LongShiftLeft, LongShiftRight, LongShiftLeftDigits, LongShiftRightDigits};
  const int bits = static_cast<int>(count) * (which >= 2 ? 8 : 1);
  TLongNum x = a;
  OverflowFlag = false;
  shifts[which](x, static_cast<std::uint16_t>(count));
  CheckOutcome(x, ModelShift(a, bits, which % 2 == 0), "a shift");
}

void CheckQueries(const TLongNum& a, const TLongNum& b) {
  const int abs = cmp(Magnitude(a), Magnitude(b));
  const int absSign = (abs > 0) - (abs < 0);
  FuzzCheck(LongCompareAbs(a, b) == absSign, "LongCompareAbs");
  FuzzCheck(LongCompare(a, b) == (a.Sign != b.Sign ? a.Sign : a.Sign * absSign), "LongCompare");
  FuzzCheck(LongSign(a) == (Magnitude(a) == 0 ? 0 : a.Sign), "LongSign");
  std::int32_t v = 1;
  const mpz_class value = Value(a);
  const bool fits = value >= INT32_MIN && value <= INT32_MAX;
  FuzzCheck(LongToInt(a, v) == fits && v == (fits ? value.get_si() : 0), "LongToInt");
}

// One longhand square-root step on a root and a remainder within the step's precondition.
void CheckSqrtStep(const TLongNum& rootIn, Bytes& in) {
  if (rootIn.Overflowed) return;
  const mpz_class root = Magnitude(rootIn);
  const mpz_class rem = mpz_class(in.Below(65535)) * (root / 65535 + 1) % (2 * root + 1);
  TLongNum r = Record(root, 1), m = Record(rem, 1);
  OverflowFlag = false;
  const int digit = LongSqrtStep(r, m);
  const mpz_class root10 = root * 10, rem100 = rem * 100;
  if (root10 >= Capacity() || rem100 >= Capacity() || 2 * root10 >= Capacity()) {
    FuzzCheck(digit == -1 && OverflowFlag, "LongSqrtStep saturation");
    return;
  }
  int d = 9;
  while (d * (2 * root10 + d) > rem100)
    --d;
  FuzzCheck(digit == d, "LongSqrtStep digit");
  FuzzCheck(SameFields(r, Record(root10 + d, 1)), "LongSqrtStep root");
  FuzzCheck(SameFields(m, Record(rem100 - d * (2 * root10 + d), 1)), "LongSqrtStep remainder");
  FuzzCheck(!OverflowFlag, "LongSqrtStep flag");
}

void CheckExpansion(const TLongNum& a, const TLongNum& b, Bytes& in) {
  if (a.Overflowed || b.Overflowed || LongIsZero(b)) return;
  const mpz_class den = Magnitude(b);
  const mpz_class num = Magnitude(a) % den;
  const int count = static_cast<int>(in.Below(400));
  std::string digits(static_cast<std::size_t>(count), '?');
  TLongNum remainder = a;
  OverflowFlag = false;
  LongExpandDecimal(Record(num, a.Sign), b, count, digits.data(), remainder);
  mpz_class scale;
  mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(count));
  const std::string expected = count == 0 ? "" : mpz_class(num * scale / den).get_str();
  FuzzCheck(
      digits == std::string(static_cast<std::size_t>(count) - expected.size(), '0') + expected,
      "LongExpandDecimal digits");
  FuzzCheck(SameFields(remainder, Record(num * scale % den, 1)), "LongExpandDecimal remainder");
  FuzzCheck(!OverflowFlag, "LongExpandDecimal flag");
}

// Fractions: the sum by Henrici's method must equal the full reduction in records and flag;
// where no product can outgrow the capacity, every operation must give GMP's rational.
void CheckFractions(const TLongNum& a, const TLongNum& b, const TLongNum& c, const TLongNum& d) {
  const bool plain = !a.Overflowed && !b.Overflowed && !c.Overflowed && !d.Overflowed &&
                     !LongIsZero(b) && !LongIsZero(d);
  TBunsuu x{a, b}, y{c, d};
  if (plain) {
    // Bring both to lowest terms with positive denominators, as the sum by Henrici needs.
    mpq_class qx(Value(a), Value(b)), qy(Value(c), Value(d));
    qx.canonicalize();
    qy.canonicalize();
    x = {longtest::FromValue(qx.get_num()), longtest::FromValue(qx.get_den())};
    y = {longtest::FromValue(qy.get_num()), longtest::FromValue(qy.get_den())};
  }
  OverflowFlag = false;
  TBunsuu full;
  BunsuuAdd(x, y, full);
  const bool fullFlag = OverflowFlag;
  OverflowFlag = false;
  TBunsuu henrici;
  BunsuuAddReduced(x, y, henrici);
  FuzzCheck(SameFields(henrici.Num, full.Num) && SameFields(henrici.Den, full.Den),
            "BunsuuAddReduced value");
  FuzzCheck(OverflowFlag == fullFlag, "BunsuuAddReduced flag");
  if (!plain) return;

  const mpq_class qx(Value(x.Num), Value(x.Den)), qy(Value(y.Num), Value(y.Den));
  // Every product in these operations is at most the product of two of the parts.
  const mpz_class largest = std::max({mpz_class(abs(qx.get_num())), mpz_class(qx.get_den()),
                                      mpz_class(abs(qy.get_num())), mpz_class(qy.get_den())});
  if (largest * largest >= Capacity()) return;
  const auto same = [](const TBunsuu& f, const mpq_class& q) {
    return SameFields(f.Num, longtest::FromValue(q.get_num())) &&
           SameFields(f.Den, longtest::FromValue(q.get_den()));
  };
  OverflowFlag = false;
  FuzzCheck(same(full, qx + qy), "BunsuuAdd");
  FuzzCheck(same(BunsuuSub(x, y), qx - qy), "BunsuuSub");
  TBunsuu r;
  BunsuuMul(x, y, r);
  FuzzCheck(same(r, qx * qy), "BunsuuMul");
  if (qy != 0) {
    BunsuuDiv(x, y, r);
    FuzzCheck(same(r, qx / qy), "BunsuuDiv");
  }
  FuzzCheck(!OverflowFlag, "a fraction flag below the capacity");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  const unsigned op = in.Next() % 16;
  const TLongNum a = Operand(in);
  const TLongNum b = Operand(in);
  switch (op) {
    case 0:
      CheckBinary(LongAdd, ModelAdd, a, b, "LongAdd");
      break;
    case 1:
      CheckBinary(LongSub, ModelSub, a, b, "LongSub");
      break;
    case 2:
      CheckBinary(LongAddAbs, ModelAddAbs, a, b, "LongAddAbs");
      break;
    case 3:
      CheckBinary(LongSubAbs, ModelSubAbs, a, b, "LongSubAbs");
      break;
    case 4:
      CheckBinary(LongMul, ModelMul, a, b, "LongMul");
      break;
    case 5:
      CheckBinary(
          LongDiv, [](const TLongNum& n, const TLongNum& d) { return ModelDivision(n, d, true).q; },
          a, b, "LongDiv");
      break;
    case 6:
      CheckBinary(
          LongMod,
          [](const TLongNum& n, const TLongNum& d) { return ModelDivision(n, d, false).r; }, a, b,
          "LongMod");
      break;
    case 7:
      CheckDivMod(a, b);
      break;
    case 8:
      CheckBinary(LongGcd, ModelGcd, a, b, "LongGcd");
      break;
    case 9: {
      // Counts within a value's length most of the time: beyond it a right shift empties it.
      const unsigned range = in.Next() % 4 == 0 ? 65536 : in.Next() % 2 ? 80 : 8 * MaxDigits + 16;
      const unsigned count = in.Below(range);
      CheckShift(a, count, static_cast<int>(in.Next() % 4));
      break;
    }
    case 10:
      CheckQueries(a, b);
      break;
    case 11:
      CheckSqrtStep(a, in);
      break;
    case 12:
      CheckExpansion(a, b, in);
      break;
    default: {
      const TLongNum c = Operand(in);
      const TLongNum d = Operand(in);
      CheckFractions(a, b, c, d);
      break;
    }
  }
  return 0;
}

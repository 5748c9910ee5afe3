// The longhand method: after k steps root = floor(sqrt(n) * 10^k) and rem = n * 100^k - root^2.
// Each step brings down two decimal places of n and finds the next digit as the number of
// times the odd increments 2 * root + 1, 2 * root + 3, ... fit into the remainder.
#include "Sqrt.h"

#include "TavoLong.h"

namespace {

int IntegerSqrt(int n) {
  int r = 0;
  while ((r + 1) * (r + 1) <= n)
    ++r;
  return r;
}

}  // namespace

void ComputeSqrt(std::uint16_t n, std::uint16_t decimalPlaces, DigitSink& out,
                 std::string& digitString) {
  const int r = IntegerSqrt(n);
  TLongNum ten, hundred, rem, root, twice, cur, step;
  LongFromInt(10, ten);
  LongFromInt(100, hundred);
  LongFromInt(n - r * r, rem);
  LongFromInt(r, root);
  digitString.clear();
  out.SqrtHeader(n, static_cast<unsigned>(r));

  for (int k = 0; k < decimalPlaces; ++k) {
    LongMul(root, ten, root);
    LongMul(rem, hundred, rem);
    LongMul(root, LongTwo, twice);
    if (OverflowFlag) return;
    cur = rem;
    int d = 0;
    do {
      ++d;
      rem = cur;
      LongSub(rem, twice, cur);
      LongFromInt(2 * d - 1, step);
      LongSub(cur, step, cur);
    } while (LongSign(cur) != -1);
    LongFromInt(d - 1, step);
    LongAdd(root, step, root);
    const char digit = static_cast<char>('0' + d - 1);
    digitString += digit;
    out.Digit(digit);
  }
}

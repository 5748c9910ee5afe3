// The longhand method: after k steps root = floor(sqrt(n) * 10^k) and rem = n * 100^k - root^2.
// Each step brings down two decimal places of n and finds the next digit; a block takes as many
// steps as it can at once, and its digits are printed as soon as it has found them.
#include "Sqrt.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "DigitSink.h"
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
  TLongNum rem, root;
  LongFromInt(n - r * r, rem);
  LongFromInt(r, root);
  digitString.clear();
  out.SqrtHeader(n, static_cast<unsigned>(r));
  char digits[LongSqrtBlockDigits];
  for (int k = 0; k < decimalPlaces;) {
    const int taken = LongSqrtDigits(root, rem, decimalPlaces - k, digits);
    // The flag is what ends the digits, also when an earlier question set it.
    if (OverflowFlag) return;
    const std::string_view found(digits, static_cast<std::size_t>(taken));
    digitString += found;
    out.Digits(found);
    k += taken;
  }
}

// The longhand square root step by step in record arithmetic, as the plain method has it:
// the odd increments 2 * root + 1, 2 * root + 3, ... are subtracted from the remainder until
// it would go negative. The program's faster step is held against it.
#pragma once

#include <string>

#include "TavoLong.h"
#include "TrueDigits.h"

namespace sqrtreference {

// The digits of sqrt(n) after the point, and whether a step saturated (the digits end there).
struct Result {
  std::string digits;
  bool overflow;
};

inline Result Digits(int n, int places) {
  const int r = static_cast<int>(truedigits::IntegerRoot(static_cast<unsigned>(n)));
  TLongNum ten, hundred, rem, root, twice, cur, step;
  LongFromInt(10, ten);
  LongFromInt(100, hundred);
  LongFromInt(n - r * r, rem);
  LongFromInt(r, root);
  Result result{"", false};
  const bool flagBefore = OverflowFlag;
  OverflowFlag = false;
  for (int k = 0; k < places; ++k) {
    LongMul(root, ten, root);
    LongMul(rem, hundred, rem);
    LongMul(root, LongTwo, twice);
    if (OverflowFlag) {
      result.overflow = true;
      break;
    }
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
    result.digits += static_cast<char>('0' + d - 1);
  }
  OverflowFlag = OverflowFlag || flagBefore;
  return result;
}

}  // namespace sqrtreference

#include "FractionDigits.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "TavoLong.h"
#include "TavoLongBunsuu.h"

namespace {

// One digit per step, each step in record arithmetic with its saturations.
std::string StepwiseDigits(const TBunsuu& f, std::int32_t count) {
  std::string digits;
  TLongNum r = f.Num;
  TLongNum q;
  for (std::int32_t i = 0; i < count; ++i) {
    LongMulWord(r, 10, r);
    LongDivMod(r, f.Den, q, r);
    std::int32_t d;
    if (LongToInt(q, d))
      digits += static_cast<char>(static_cast<std::uint8_t>(48u + static_cast<std::uint32_t>(d)));
    // A saturated remainder stays saturated and gives no more characters.
    if (r.Overflowed) break;
  }
  return digits;
}

// True when no step of the expansion of f can saturate and every quotient is a digit: then
// FractionDigits is plain long division.
bool ExpandsWithinCapacity(const TBunsuu& f) {
  return !f.Num.Overflowed && LongSign(f.Num) >= 0 && LongSign(f.Den) > 0 &&
         LongCompareAbs(f.Num, f.Den) < 0 && LongExpansionWithinCapacity(f.Den);
}

}  // namespace

std::string FractionDigits(const TBunsuu& f, std::int32_t count) {
  if (count <= 0) return {};
  if (!ExpandsWithinCapacity(f)) return StepwiseDigits(f, count);
  std::string digits(static_cast<std::size_t>(count), '0');
  TLongNum remainder;
  LongExpandDecimal(f.Num, f.Den, count, digits.data(), remainder);
  return digits;
}

#include "SettledDigits.h"

#include <algorithm>

void SettledDigits::Scan(const std::string& current, DigitSink& out) {
  const auto known = static_cast<std::int32_t>(std::min(previousLength_, current.size()));
  while (pos_ + 1 <= known && Previous(pos_ - 1) == current[pos_ - 1] &&
         Previous(pos_) == current[pos_]) {
    out.Digit(current[pos_ - 1]);
    ++pos_;
  }
  tailStart_ = pos_ - 1;
  previousTail_.assign(current, std::min(current.size(), static_cast<std::size_t>(tailStart_)));
  previousLength_ = current.size();
}

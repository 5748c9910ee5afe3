#include "SettledDigits.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "DigitSink.h"

void SettledDigits::Scan(const std::string& current, DigitSink& out) {
  const auto known = static_cast<std::int32_t>(std::min(previousLength_, current.size()));
  const std::int32_t first = pos_;
  const auto at = [&current](std::int32_t index) {
    return current[static_cast<std::size_t>(index)];
  };
  while (pos_ + 1 <= known && Previous(pos_ - 1) == at(pos_ - 1) && Previous(pos_) == at(pos_)) {
    ++pos_;
  }
  // The digits that settle in one scan are known together.
  if (pos_ > first) {
    out.Digits(std::string_view(current).substr(static_cast<std::size_t>(first - 1),
                                                static_cast<std::size_t>(pos_ - first)));
  }
  tailStart_ = pos_ - 1;
  previousTail_.assign(current, std::min(current.size(), static_cast<std::size_t>(tailStart_)));
  previousLength_ = current.size();
}

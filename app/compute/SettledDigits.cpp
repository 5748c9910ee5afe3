#include "SettledDigits.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "DigitSink.h"

void SettledDigits::Scan(const std::string& current, DigitSink& out) {
  const auto known = static_cast<std::int32_t>(std::min(previousLength_, current.size()));
  const auto at = [&current](std::int32_t index) {
    return current[static_cast<std::size_t>(index)];
  };
  std::int32_t pos = pos_;
  while (pos + 1 <= known && Previous(pos - 1) == at(pos - 1) && Previous(pos) == at(pos)) {
    ++pos;
  }
  // The digits that settle in one scan are known together.
  if (pos > pos_) {
    out.Digits(std::string_view(current).substr(static_cast<std::size_t>(pos_ - 1),
                                                static_cast<std::size_t>(pos - pos_)));
  }
  pos_ = pos;
  previousKept_.assign(current, std::min(current.size(), static_cast<std::size_t>(pos_ - 1)));
  previousLength_ = current.size();
}

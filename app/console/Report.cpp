#include "Report.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Console.h"

void ReportFrequency(std::uint16_t decimalPlaces, const std::string& digitString,
                     Console& console) {
  std::array<int, 10> digitCount{};
  const std::size_t counted = std::min<std::size_t>(decimalPlaces, digitString.size());
  for (std::size_t j = 0; j < counted; ++j) {
    const char c = digitString[j];
    if (c >= '0' && c <= '9') ++digitCount[static_cast<std::size_t>(c - '0')];
  }
  for (std::size_t c = 0; c < digitCount.size(); ++c) {
    const char label[] = {' ', ' ', ' ', '\'', static_cast<char>('0' + c), '\''};
    console.Write(std::string_view(label, sizeof label));
    console.Flush();
  }
  console.LineEnd();
  for (const int count : digitCount) {
    char field[16];
    const int length = std::snprintf(field, sizeof field, "%5d ", count);
    console.Write(std::string_view(field, static_cast<std::size_t>(length)));
    console.Flush();
  }
  console.LineEnd();
}

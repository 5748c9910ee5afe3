// A second, independent reading of the dialogue's input: the whole input is taken at once and
// cut into the numbers the prompts read, by the same rules as the program's reader but by
// other means. The fuzzers hold the program against it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace referencereader {

enum class Kind { Number, Error, End };

struct Read {
  Kind kind;
  std::int32_t value;
};

inline bool Blank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}
inline bool Decimal(char c) {
  return c >= '0' && c <= '9';
}
inline bool Hex(char c) {
  return Decimal(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The value of a run of hexadecimal digits, at most 32 bits of it, wrapped to signed.
inline Read HexValue(std::string_view digits) {
  if (digits.empty()) return {Kind::Error, 0};
  for (char c : digits) {
    if (!Hex(c)) return {Kind::Error, 0};
  }
  while (digits.size() > 1 && digits[0] == '0')
    digits.remove_prefix(1);
  if (digits.size() > 8) return {Kind::Error, 0};
  const unsigned long v = std::strtoul(std::string(digits).c_str(), nullptr, 16);
  return {Kind::Number, static_cast<std::int32_t>(static_cast<std::uint32_t>(v))};
}

inline Read DecimalValue(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return {Kind::Error, 0};
  for (char c : text) {
    if (!Decimal(c)) return {Kind::Error, 0};
  }
  while (text.size() > 1 && text[0] == '0')
    text.remove_prefix(1);
  if (text.size() > 10) return {Kind::Error, 0};
  const long long v = std::strtoll(std::string(text).c_str(), nullptr, 10) * (negative ? -1 : 1);
  if (v < INT32_MIN || v > INT32_MAX) return {Kind::Error, 0};
  return {Kind::Number, static_cast<std::int32_t>(v)};
}

inline Read Token(std::string_view token) {
  if (token[0] == '$' || token[0] == 'x' || token[0] == 'X') return HexValue(token.substr(1));
  if (token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X'))
    return HexValue(token.substr(2));
  return DecimalValue(token);
}

// The successive reads of the prompts, each followed by the discard of the rest of its line,
// up to and including the first one that is not a number.
inline std::vector<Read> Reads(std::string_view input) {
  // Ctrl-Z ends the input: nothing after it is ever read.
  input = input.substr(0, input.find('\x1a'));
  std::vector<Read> reads;
  std::size_t pos = 0;
  for (;;) {
    while (pos < input.size() && Blank(input[pos]))
      ++pos;
    if (pos == input.size()) {
      reads.push_back({Kind::End, 0});
      return reads;
    }
    std::size_t end = pos;
    while (end < input.size() && end - pos < 32 && !Blank(input[end]))
      ++end;
    const Read read = Token(input.substr(pos, end - pos));
    reads.push_back(read);
    if (read.kind != Kind::Number) return reads;
    const std::size_t lineEnd = input.find_first_of("\r\n", end);
    pos = lineEnd == std::string_view::npos ? input.size() : lineEnd + 1;
  }
}

}  // namespace referencereader

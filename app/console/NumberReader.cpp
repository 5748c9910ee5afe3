#include "NumberReader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr ReadResult Error{ReadStatus::InputError, 0};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

ReadResult ConvertHex(std::string_view digits) {
  if (digits.empty()) return Error;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return Error;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return Error;
  }
  return {ReadStatus::Number, static_cast<std::int32_t>(static_cast<std::uint32_t>(value))};
}

ReadResult ConvertDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return Error;
  const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return Error;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > limit) return Error;
  }
  const std::int64_t signedValue =
      negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
  return {ReadStatus::Number, static_cast<std::int32_t>(signedValue)};
}

}  // namespace

ReadResult ConvertNumber(std::string_view token) {
  if (!token.empty() && (token[0] == '$' || token[0] == 'x' || token[0] == 'X')) {
    return ConvertHex(token.substr(1));
  }
  if (token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
    return ConvertHex(token.substr(2));
  }
  return ConvertDecimal(token);
}

int NumberReader::Get() {
  if (pushedBack_ != None) {
    const int c = pushedBack_;
    pushedBack_ = None;
    return c;
  }
  if (ended_) return -1;
  const int c = source_.Next();
  if (c < 0 || c == EndOfInputCharacter) {
    ended_ = true;
    return -1;
  }
  return c;
}

ReadResult NumberReader::ReadInteger() {
  int c;
  do {
    c = Get();
    if (c < 0) return {ReadStatus::EndOfInput, 0};
  } while (c <= ' ');
  std::string token(1, static_cast<char>(c));
  while (token.size() < MaxTokenLength) {
    c = Get();
    if (c < 0) break;
    if (c <= ' ') {
      pushedBack_ = c;
      break;
    }
    token += static_cast<char>(c);
  }
  return ConvertNumber(token);
}

void NumberReader::DiscardLine() {
  for (;;) {
    const int c = Get();
    if (c < 0 || c == '\r' || c == '\n') return;
  }
}

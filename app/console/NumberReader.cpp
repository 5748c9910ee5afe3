#include "NumberReader.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace {

constexpr ReadResult Error{ReadStatus::InputError, 0};

// Converts the whole of the text in the base, within the range of T; false otherwise.
template <typename T>
bool Convert(std::string_view text, int base, T& value) {
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, base);
  return error == std::errc{} && stop == end;
}

// Hexadecimal digits, no sign: from_chars takes none for an unsigned type.
ReadResult ConvertHex(std::string_view digits) {
  std::uint32_t value = 0;
  if (!Convert(digits, 16, value)) return Error;
  return {ReadStatus::Number, static_cast<std::int32_t>(value)};
}

// from_chars takes a minus but no plus: the plus is dropped here, and a sign after it refused.
ReadResult ConvertDecimal(std::string_view text) {
  if (!text.empty() && text[0] == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text[0] == '-') return Error;
  }
  std::int32_t value = 0;
  if (!Convert(text, 10, value)) return Error;
  return {ReadStatus::Number, value};
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

// Reads the numbers that the user types at the two prompts.
#pragma once

#include <cstdint>
#include <string_view>

#include "Streams.h"

enum class ReadStatus { Number, InputError, EndOfInput };

struct ReadResult {
  ReadStatus status;
  std::int32_t value;  // 0 unless status is Number
};

// The conversion of one token: an optional sign and decimal digits within the 32-bit signed
// range, or hexadecimal digits after "$", "x", "X", "0x" or "0X", without a sign, for any
// 32-bit value (8 and above in the top digit wrap to negative). Anything else is an input
// error.
ReadResult ConvertNumber(std::string_view token);

// The reader over an input stream. The character 26 (Ctrl-Z) ends the input for good, like
// the end of the stream.
class NumberReader {
 public:
  explicit NumberReader(ByteSource& source) : source_(source) {}

  // Skips every character of code 32 or less, across lines, then converts the next run of at
  // most 32 characters above 32. The character that ends the run stays in the input.
  ReadResult ReadInteger();
  // Skips the rest of the line: up to and including the next carriage return or line feed,
  // or to the end of the input. A line feed right after a carriage return is left for the
  // next number, which skips it.
  void DiscardLine();

 private:
  static constexpr int MaxTokenLength = 32;
  static constexpr int EndOfInputCharacter = 26;
  static constexpr int None = -2;

  int Get();

  ByteSource& source_;
  int pushedBack_ = None;
  bool ended_ = false;
};

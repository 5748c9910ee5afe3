// The number reader: what each run of input bytes yields at the prompts, one number per line.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "MemoryStreams.h"
#include "NumberReader.h"

namespace {

constexpr ReadResult Num(std::int32_t v) {
  return {ReadStatus::Number, v};
}
constexpr ReadResult Error{ReadStatus::InputError, 0};
constexpr ReadResult End{ReadStatus::EndOfInput, 0};

struct Case {
  const char* what;
  std::string input;
  std::vector<ReadResult> expected;  // successive reads, each followed by the line discard
};

std::string Describe(const ReadResult& r) {
  switch (r.status) {
    case ReadStatus::Number:
      return std::to_string(r.value);
    case ReadStatus::InputError:
      return "input error";
    default:
      return "end of input";
  }
}

TEST(NumberReader, ReadsAsThePromptsNeed) {
  const std::string thirtyOne(31, '0');
  std::vector<Case> cases = {
      {"plain", "12\n", {Num(12), End}},
      {"blanks and tabs before, words after", "  \t 12 abc def\n7\n", {Num(12), Num(7), End}},
      {"empty lines are no answer", "\n\n \n\t\n5\n", {Num(5), End}},
      {"DEL is no blank", "\x01\x1f\x7f", {Error}},
      {"control characters before a number",
       "\x01\x1f"
       "5\n",
       {Num(5), End}},
      {"signs", "+5\n-5\n-0\n+0\n", {Num(5), Num(-5), Num(0), Num(0), End}},
      {"leading zeros", "007\n-0010\n", {Num(7), Num(-10), End}},
      {"hex prefixes",
       "$1F\nx1f\nX1F\n0x1F\n0X1f\n$aBc\n",
       {Num(31), Num(31), Num(31), Num(31), Num(31), Num(0xABC), End}},
      {"hex wraps above 7FFFFFFF",
       "$7FFFFFFF\n$80000000\n$FFFFFFFF\n0x000000001\n",
       {Num(2147483647), Num(INT32_MIN), Num(-1), Num(1), End}},
      {"hex beyond 32 bits", "$100000000\n", {Error}},
      {"hex without digits", "$\n", {Error}},
      {"0x without digits", "0x\n", {Error}},
      {"x without digits", "x\n", {Error}},
      {"hex with a sign", "-$5\n", {Error}},
      {"hex with a plus", "+0x5\n", {Error}},
      {"hex with a bad digit", "$1G\n", {Error}},
      {"hex with a sign after the prefix", "$-1\n", {Error}},
      {"every decimal digit", "1234567890\n99\n", {Num(1234567890), Num(99), End}},
      {"every hex digit after every prefix",
       "$19\n0x9\nX9\n0X1234\nx5678\n$9aBcDeF0\n",
       {Num(25), Num(9), Num(9), Num(0x1234), Num(0x5678),
        Num(static_cast<std::int32_t>(0x9ABCDEF0)), End}},
      {"the 32-bit bounds", "2147483647\n-2147483648\n", {Num(2147483647), Num(INT32_MIN), End}},
      {"above the top", "2147483648\n", {Error}},
      {"below the bottom", "-2147483649\n", {Error}},
      {"a sign alone", "-\n", {Error}},
      {"letters glued on", "12abc\n", {Error}},
      {"a point", "1.5\n", {Error}},
      {"an exponent", "1e3\n", {Error}},
      {"a double sign", "--5\n", {Error}},
      {"a minus after a plus", "+-5\n", {Error}},
      {"a plus above the top", "+2147483648\n", {Error}},
      {"a non-ASCII character glued on", "5\xe3\x80\x80\n", {Error}},
      {"only 32 characters are taken", thirtyOne + "1234\n7\n", {Num(1), Num(7), End}},
      {"32 characters of too large a number", std::string(33, '1') + "\n", {Error}},
      {"CR line ends", "5 x\r6 y\r", {Num(5), Num(6), End}},
      {"CRLF line ends", "5 x\r\n6 y\r\n\r\n7\r\n", {Num(5), Num(6), Num(7), End}},
      {"LF line ends", "5 x\n6 y\n7", {Num(5), Num(6), Num(7), End}},
      {"no line end at the end", "12", {Num(12), End}},
      {"empty input", "", {End}},
      {"blanks only", " \r\n\t ", {End}},
      {"Ctrl-Z before a number",
       "\x1a"
       "5\n",
       {End}},
      {"Ctrl-Z right after a number", "5\x1a\n6\n", {Num(5), End}},
      {"Ctrl-Z in the discarded rest", "5 abc\x1a\n6\n", {Num(5), End}},
      {"Ctrl-Z after blanks", "  \n\x1a 7\n", {End}},
  };
  // The characters on either side of each range of digits.
  for (const char* token : {"1/", "1:", "$/", "$:", "$@", "$G", "$`", "$g", "0x:"})
    cases.push_back({token, std::string(token) + "\n", {Error}});
  for (const Case& c : cases) {
    StringSource source(c.input);
    NumberReader reader(source);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      const ReadResult got = reader.ReadInteger();
      reader.DiscardLine();
      EXPECT_EQ(Describe(got), Describe(c.expected[i])) << c.what << ", read " << i + 1;
      if (got.status != ReadStatus::Number) break;
    }
  }
}

// A long line after the number is skipped without being kept.
TEST(NumberReader, DiscardsALongLine) {
  StringSource source("3 " + std::string(1 << 20, 'z') + "\n4\n");
  NumberReader reader(source);
  EXPECT_EQ(Describe(reader.ReadInteger()), "3");
  reader.DiscardLine();
  EXPECT_EQ(Describe(reader.ReadInteger()), "4");
}

}  // namespace

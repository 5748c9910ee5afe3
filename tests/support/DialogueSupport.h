// Transcripts of the dialogue as the user sees them, in UTF-8, for comparing the program's
// output byte for byte; and what a computation writes, as text.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Console.h"
#include "Dialogue.h"
#include "DigitSink.h"
#include "MemoryStreams.h"
#include "TavoLong.h"
#include "Texts.h"

namespace dialoguetest {

inline const std::string Menu =
    "\n\n\r\n"
    "次の[番号]で指定した数を指定した桁数まで計算し，現れた数字の頻度を求めます\r\n"
    "　[0] π 円周率\r\n"
    "  [1] ｅ ネイピアの数（自然対数の底）\r\n"
    "  [n] √ｎ ｎの平方根\r\n"
    "番号（負の数を入れると終わります） ? ";
inline const std::string PlacesPrompt = "小数点以下何桁まで求めますか ? ";
// The refusals that end the dialogue, each after a line end.
inline const std::string InputError = "\r\n入力値が数値ではありません\r\n";
inline const std::string RangeError = "\r\n範囲チェックエラー\r\n";
inline const std::string Seconds = "       (T秒)\r\n";
// The empty line and the header of √n, whose integer part is root.
inline std::string SqrtHeader(const std::string& n, const std::string& root) {
  return "\r\n√" + n + "＝ " + root + ".\r\n";
}
inline const std::string Labels =
    "   '0'   '1'   '2'   '3'   '4'   '5'   '6'   '7'   '8'   '9'\r\n";

// The counts line for the given digits.
inline std::string Counts(const std::string& digits) {
  int count[10] = {};
  for (char c : digits)
    ++count[c - '0'];
  std::string line;
  for (int c : count) {
    const std::string n = std::to_string(c);
    line += std::string(5 - std::min<std::size_t>(5, n.size()), ' ') + n + " ";
  }
  return line + "\r\n";
}

// What follows the computation's output: the time, the empty line and the table.
inline std::string Tail(const std::string& counted) {
  return Seconds + "\n\r\n" + Labels + Counts(counted);
}
inline const std::string OverflowTail = Seconds + "\n\r\nOverflow\r\n";

// The length of the elapsed seconds ("12.345" or "12,345") that start at text[from], or 0.
inline std::size_t SecondsLength(const std::string& text, std::size_t from) {
  const auto digit = [&](std::size_t i) {
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
  };
  std::size_t i = from;
  while (digit(i))
    ++i;
  if (i == from || i >= text.size() || (text[i] != '.' && text[i] != ',')) return 0;
  if (!digit(i + 1) || !digit(i + 2) || !digit(i + 3)) return 0;
  return i + 4 - from;
}

// The elapsed seconds between "(" and the given closing text replaced by T, whatever the
// separator.
inline std::string MaskSeconds(const std::string& text, const std::string& close = "秒)") {
  std::string masked;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t length = text[i] == '(' ? SecondsLength(text, i + 1) : 0;
    if (length > 0 && text.compare(i + 1 + length, close.size(), close) == 0) {
      masked += "(T" + close;
      i += 1 + length + close.size();
    } else {
      masked += text[i++];
    }
  }
  return masked;
}

struct DialogueRun {
  std::string output;
  int status;
  std::vector<std::size_t> flushes;
};

// The whole dialogue over in-memory streams, from a clear OverflowFlag as in a fresh program.
inline DialogueRun RunInProcess(const std::string& input, std::uint16_t placesLimit = 65535) {
  OverflowFlag = false;
  const DialogueTexts texts = Utf8Texts(".");
  StringSource in(input);
  StringSink out;
  Console console(in, out, texts);
  const int status = RunDialogue(console, placesLimit);
  return {out.Text(), status, out.Flushes()};
}

// What a computation writes: its header as "[pi]", "[e]" or "[sqrt n = root]", and its digits.
class RecordingSink : public DigitSink {
 public:
  void PiHeader() override { header += "[pi]"; }
  void EHeader() override { header += "[e]"; }
  void SqrtHeader(unsigned n, unsigned root) override {
    header += "[sqrt " + std::to_string(n) + " = " + std::to_string(root) + "]";
  }
  void Digits(std::string_view found) override { digits += found; }
  std::string header, digits;
};

}  // namespace dialoguetest

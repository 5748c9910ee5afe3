// What a computation writes: its header line, then its digits as they settle, each visible the
// moment it is written. How the texts are encoded and where they go is the console's business.
#pragma once

#include <string_view>

class DigitSink {
 public:
  virtual ~DigitSink() = default;
  // "π＝3." and a line end.
  virtual void PiHeader() = 0;
  // "ｅ＝2." and a line end.
  virtual void EHeader() = 0;
  // An empty line, then "√n＝ r." and a line end.
  virtual void SqrtHeader(unsigned n, unsigned root) = 0;
  // Digits found together, flushed once after the last of them: each is visible the moment
  // it is known.
  virtual void Digits(std::string_view digits) = 0;
};

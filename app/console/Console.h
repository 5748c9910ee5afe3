// The dialogue's console: fixed texts in the user's encoding, CR LF line ends that flush, and
// the numbers the user types.
#pragma once

#include <string_view>

#include "DigitSink.h"
#include "NumberReader.h"
#include "Streams.h"
#include "Texts.h"

class Console : public DigitSink {
 public:
  Console(ByteSource& in, ByteSink& out, const DialogueTexts& texts)
      : reader_(in), out_(out), texts_(texts) {}

  const DialogueTexts& Texts() const { return texts_; }

  void Write(std::string_view bytes) { out_.Write(bytes.data(), bytes.size()); }
  // Carriage return and line feed, then a flush.
  void LineEnd();
  void Flush() { out_.Flush(); }

  // Reads a number and discards the rest of its line.
  ReadResult ReadNumber();

  void PiHeader() override;
  void EHeader() override;
  void SqrtHeader(unsigned n, unsigned root) override;
  void Digits(std::string_view digits) override;

 private:
  NumberReader reader_;
  ByteSink& out_;
  const DialogueTexts& texts_;
};

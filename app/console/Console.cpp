#include "Console.h"

#include <string>

#include "NumberReader.h"

void Console::LineEnd() {
  Write("\r\n");
  Flush();
}

ReadResult Console::ReadNumber() {
  const ReadResult result = reader_.ReadInteger();
  reader_.DiscardLine();
  return result;
}

void Console::PiHeader() {
  Write(texts_.PiHeader);
  LineEnd();
}

void Console::EHeader() {
  Write(texts_.EHeader);
  LineEnd();
}

void Console::SqrtHeader(unsigned n, unsigned root) {
  LineEnd();
  Write(texts_.SqrtSign);
  Write(std::to_string(n));
  Write(texts_.SqrtEquals);
  Write(std::to_string(root));
  Write(".");
  LineEnd();
}

void Console::Digits(std::string_view digits) {
  Write(digits);
  Flush();
}

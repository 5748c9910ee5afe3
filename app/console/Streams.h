// Where the dialogue's bytes come from and go to: standard input and output, or memory in
// the tests.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

// A stream of input bytes.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The next byte (0..255), or -1 once the input has ended.
  virtual int Next() = 0;
};

// A stream of output bytes that holds what is written until it is flushed.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(const char* bytes, std::size_t count) = 0;
  // Makes everything written so far visible.
  virtual void Flush() = 0;
};

// Writing to an output failed: the reader has gone, the disk is full. The message names the
// stream and the reason.
class OutputError : public std::runtime_error {
 public:
  OutputError(const std::string& stream, const std::string& reason)
      : std::runtime_error("cannot write to " + stream + ": " + reason) {}
};

// The process's own streams, as the platform provides them.

// Readies the process for the dialogue: the user's locale, and a reader that goes away seen
// as a failed write.
void PrepareProcess();
// Standard input. A read error counts as the end of the input.
std::unique_ptr<ByteSource> StandardInput();
// Standard output, for the texts of TextsForLocale(). Flush throws OutputError when the
// output fails.
std::unique_ptr<ByteSink> StandardOutput();
// Standard error, for the program's own messages. Flush throws OutputError when it fails.
std::unique_ptr<ByteSink> StandardError();
// What ends the report of a failed output on standard error: the platform's own line end, a
// line feed, or on Windows a carriage return and a line feed. The sinks write bytes as they
// are given, with no text mode to turn one line end into the other.
extern const std::string_view FailedOutputLineEnd;

// Standard input and output as POSIX file descriptors.
#pragma once

#include <cstddef>
#include <string>
#include <utility>

#include "Streams.h"

// Reads a file descriptor in blocks. A read error counts as the end of the input.
class FdSource : public ByteSource {
 public:
  explicit FdSource(int fd) : fd_(fd) {}
  int Next() override;

 private:
  int fd_;
  char buffer_[4096];
  std::size_t size_ = 0;
  std::size_t next_ = 0;
  bool ended_ = false;
};

// Writes to a file descriptor. Throws OutputError, naming the stream, when a write fails.
class FdSink : public ByteSink {
 public:
  FdSink(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
  void Write(const char* bytes, std::size_t count) override;
  void Flush() override;

 private:
  int fd_;
  std::string name_;
  std::string pending_;
};

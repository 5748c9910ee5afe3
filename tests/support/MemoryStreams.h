// The dialogue's streams held in memory, for the tests and the fuzz targets: input from a
// string, and output collected with where each flush happened.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "Streams.h"

// Bytes held in memory.
class StringSource : public ByteSource {
 public:
  explicit StringSource(std::string bytes) : bytes_(std::move(bytes)) {}
  int Next() override {
    return next_ < bytes_.size() ? static_cast<unsigned char>(bytes_[next_++]) : -1;
  }

 private:
  std::string bytes_;
  std::size_t next_ = 0;
};

// Collects the output in memory, and where each flush happened.
class StringSink : public ByteSink {
 public:
  void Write(const char* bytes, std::size_t count) override { text_.append(bytes, count); }
  void Flush() override { flushes_.push_back(text_.size()); }
  const std::string& Text() const { return text_; }
  // The size of the text at each flush, in order.
  const std::vector<std::size_t>& Flushes() const { return flushes_; }

 private:
  std::string text_;
  std::vector<std::size_t> flushes_;
};

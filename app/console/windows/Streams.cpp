// Standard input and output through their Win32 handles, never through the C runtime's text
// mode, which would write "\r\n" as "\r\r\n" and take the byte 26 for the end of the input.
#include "Streams.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "ConsoleText.h"

namespace {

// Reads a handle in blocks. A read error counts as the end of the input, and so does an
// empty read: the end of a file or pipe, or Ctrl-Z at the start of a console line.
class HandleSource : public ByteSource {
 public:
  explicit HandleSource(HANDLE handle) : handle_(handle) {}
  int Next() override;

 private:
  HANDLE handle_;
  char buffer_[4096];
  DWORD size_ = 0;
  DWORD next_ = 0;
  bool ended_ = false;
};

int HandleSource::Next() {
  if (next_ == size_) {
    if (ended_) return -1;
    DWORD got = 0;
    BOOL read;
    // Ctrl-C breaks off a console read while the console's handler ends the process on
    // another thread; the read is made again so that the broken one is not taken for the end.
    do {
      SetLastError(ERROR_SUCCESS);
      read = ReadFile(handle_, buffer_, sizeof buffer_, &got, nullptr);
    } while (got == 0 && GetLastError() == ERROR_OPERATION_ABORTED);
    if (!read || got == 0) {
      ended_ = true;
      return -1;
    }
    size_ = got;
    next_ = 0;
  }
  return static_cast<unsigned char>(buffer_[next_++]);
}

// Hands count characters from data to write(from, count, &taken) until it has taken them
// all. Throws OutputError, naming the stream, when it fails.
template <typename Char, typename WriteCall>
void WriteAll(const std::string& stream, const Char* data, std::size_t count, WriteCall write) {
  // Older consoles refuse a single write of much more than this.
  constexpr std::size_t MostAtOnce = 8192;
  std::size_t done = 0;
  while (done < count) {
    DWORD taken = 0;
    const auto chunk = static_cast<DWORD>(std::min(count - done, MostAtOnce));
    if (!write(data + done, chunk, &taken)) {
      throw OutputError(stream, std::system_category().message(static_cast<int>(GetLastError())));
    }
    done += taken;
  }
}

// Writes to a handle: UTF-8 text as UTF-16 on a console, bytes as they are elsewhere.
class HandleSink : public ByteSink {
 public:
  HandleSink(HANDLE handle, std::string name)
      : handle_(handle), console_(IsConsole(handle)), name_(std::move(name)) {}
  void Write(const char* bytes, std::size_t count) override { pending_.append(bytes, count); }
  void Flush() override;

 private:
  HANDLE handle_;
  bool console_;
  std::string name_;
  std::string pending_;
};

void HandleSink::Flush() {
  std::string bytes;
  bytes.swap(pending_);
  if (console_) {
    // Every flush ends after a whole text or digit, so no character is split here.
    const std::wstring text = Utf16FromUtf8(bytes);
    WriteAll(name_, text.data(), text.size(),
             [this](const wchar_t* from, DWORD count, DWORD* taken) {
               return WriteConsoleW(handle_, from, count, taken, nullptr);
             });
  } else {
    WriteAll(name_, bytes.data(), bytes.size(),
             [this](const char* from, DWORD count, DWORD* taken) {
               return WriteFile(handle_, from, count, taken, nullptr);
             });
  }
}

}  // namespace

bool IsConsole(HANDLE handle) {
  DWORD mode;
  return GetConsoleMode(handle, &mode) != 0;
}

void PrepareProcess() {
  // A parent that starts the program in a process group of its own turns Ctrl-C off; the
  // user still expects it to end the program.
  SetConsoleCtrlHandler(nullptr, FALSE);
}

std::unique_ptr<ByteSource> StandardInput() {
  return std::make_unique<HandleSource>(GetStdHandle(STD_INPUT_HANDLE));
}

std::unique_ptr<ByteSink> StandardOutput() {
  return std::make_unique<HandleSink>(GetStdHandle(STD_OUTPUT_HANDLE), "standard output");
}

std::unique_ptr<ByteSink> StandardError() {
  return std::make_unique<HandleSink>(GetStdHandle(STD_ERROR_HANDLE), "standard error");
}

const std::string_view FailedOutputLineEnd = "\r\n";

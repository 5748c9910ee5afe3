#include "Streams.h"

#include <locale.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstring>
#include <memory>
#include <string_view>

#include "FdStreams.h"

namespace {

// True when a call failed only because it was interrupted, or because the descriptor is
// non-blocking and not ready; then it has been waited for and the call is to be made again.
bool Retry(int fd, short events) {
  if (errno == EINTR) return true;
  if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
  pollfd p{fd, events, 0};
  ::poll(&p, 1, -1);
  return true;
}

}  // namespace

int FdSource::Next() {
  if (next_ == size_) {
    if (ended_) return -1;
    ssize_t got;
    do {
      got = ::read(fd_, buffer_, sizeof buffer_);
    } while (got < 0 && Retry(fd_, POLLIN));
    if (got <= 0) {
      ended_ = true;
      return -1;
    }
    size_ = static_cast<std::size_t>(got);
    next_ = 0;
  }
  return static_cast<unsigned char>(buffer_[next_++]);
}

void FdSink::Write(const char* bytes, std::size_t count) {
  pending_.append(bytes, count);
}

void FdSink::Flush() {
  std::size_t done = 0;
  while (done < pending_.size()) {
    const ssize_t wrote = ::write(fd_, pending_.data() + done, pending_.size() - done);
    if (wrote < 0) {
      if (Retry(fd_, POLLOUT)) continue;
      const int error = errno;
      pending_.clear();
      throw OutputError(name_, std::strerror(error));
    }
    done += static_cast<std::size_t>(wrote);
  }
  pending_.clear();
}

void PrepareProcess() {
  // Only the categories that the program reads: the encoding, the decimal separator, and the
  // language of the help and of the system's error messages. Each category is a locale file to
  // find and map, and the nine others would be found and mapped for nothing. As with LC_ALL, a
  // locale that one of them cannot load leaves the program in the C locale.
  for (const int category : {LC_CTYPE, LC_NUMERIC, LC_MESSAGES}) {
    if (std::setlocale(category, "") == nullptr) {
      std::setlocale(LC_ALL, "C");
      break;
    }
  }
  // A reader that has gone away shows up as a failed write, which ends the program with a
  // message instead of a silent death.
  std::signal(SIGPIPE, SIG_IGN);
}

std::unique_ptr<ByteSource> StandardInput() {
  return std::make_unique<FdSource>(STDIN_FILENO);
}

std::unique_ptr<ByteSink> StandardOutput() {
  return std::make_unique<FdSink>(STDOUT_FILENO, "standard output");
}

std::unique_ptr<ByteSink> StandardError() {
  return std::make_unique<FdSink>(STDERR_FILENO, "standard error");
}

const std::string_view FailedOutputLineEnd = "\n";

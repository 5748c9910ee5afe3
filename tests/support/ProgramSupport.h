// Runs the built program as a separate process, as a user's shell would: input on a pipe,
// output captured, the environment chosen by the test.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <iconv.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
// wait4 fills a struct rusage, which POSIX defines here.
#include <sys/resource.h>  // IWYU pragma: keep
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace programtest {

// The program under test, and the folder of the locales that a fixture of the suite makes for
// its tests.
inline const std::string Program = TAVODIGITS_PROGRAM;
inline const std::string LocaleDir = TAVODIGITS_TEST_LOCALES;

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;    // the exit status, or -1 after a signal
  int signal = 0;     // the signal that ended it, if any
  bool core = false;  // whether it dumped core
  long peakKiB = 0;   // its peak resident memory
};

struct Options {
  std::vector<std::string> environment;  // NAME=value, in addition to PATH
  // Where standard output goes instead of a pipe: a path opened for writing.
  std::string stdoutPath;
  bool closeStdout = false;
  bool closeStdin = false;
  // Close our end of the output pipe after this many bytes (the reader goes away).
  std::size_t readLimit = std::string::npos;
  // Hold the input back until this many bytes of output have come, or until the output is
  // closed at readLimit.
  std::size_t inputAfterOutput = 0;
  // More input after the fixed input, a chunk at a time, until it returns false; so that
  // input far larger than memory can be fed.
  std::function<bool(std::string&)> moreInput;
  // Keep standard input open after the input, so that the program waits.
  bool keepStdinOpen = false;
  // Make the program's standard input and output non-blocking; the held-back input then
  // also waits until the program sleeps, so that its read has found nothing there.
  bool nonBlocking = false;
  // Send this signal once this many bytes of output have come.
  int signalToSend = 0;
  std::size_t signalAfterOutput = 0;
  // The arguments after the program's name.
  std::vector<std::string> arguments;
};

// The UTF-8 text in the character set, as the program writes it in a locale of that set.
inline std::string Recode(const std::string& utf8, const char* charset) {
  iconv_t cd = iconv_open(charset, "UTF-8");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << charset;
  std::string out(utf8.size() * 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* dst = out.data();
  std::size_t outLeft = out.size();
  EXPECT_NE(iconv(cd, &in, &inLeft, &dst, &outLeft), static_cast<std::size_t>(-1)) << charset;
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

// Waits until the process is no longer running: it sleeps, waiting for something such as
// input, or it has ended.
inline void WaitUntilAsleep(pid_t pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/stat";
  for (;;) {
    std::ifstream stat(path);
    std::string line;
    std::getline(stat, line);
    // The state follows the command name, which is in parentheses.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return;
    const char state = line[close + 2];
    if (state != 'R' && state != 'D') return;
    std::this_thread::yield();
  }
}

inline Outcome Run(const std::string& program, const std::string& input,
                   const Options& options = {}) {
  int in[2], out[2], err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe");
  const pid_t pid = fork();
  if (pid == 0) {
    if (options.closeStdin) {
      close(STDIN_FILENO);
    } else {
      dup2(in[0], STDIN_FILENO);
    }
    if (options.closeStdout) {
      close(STDOUT_FILENO);
    } else if (!options.stdoutPath.empty()) {
      dup2(open(options.stdoutPath.c_str(), O_WRONLY), STDOUT_FILENO);
    } else {
      dup2(out[1], STDOUT_FILENO);
    }
    dup2(err[1], STDERR_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
      close(fd);
    if (options.nonBlocking) {
      for (int fd : {STDIN_FILENO, STDOUT_FILENO})
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    signal(SIGPIPE, SIG_DFL);
    std::vector<std::string> env = options.environment;
    env.push_back("PATH=/usr/bin:/bin");
    if (const char* asan = std::getenv("ASAN_OPTIONS"))
      env.push_back(std::string("ASAN_OPTIONS=") + asan);
    std::vector<char*> envp;
    for (std::string& e : env)
      envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : options.arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execve(program.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  signal(SIGPIPE, SIG_IGN);

  Outcome result;
  std::string pending = input;
  std::size_t written = 0;
  bool inputDone = pending.empty() && !options.moreInput;
  int inFd = in[1];
  int outFd = out[0];
  int errFd = err[0];
  const auto closeInput = [&] {
    if (inFd >= 0 && !options.keepStdinOpen) {
      close(inFd);
      inFd = -1;
    }
  };
  if (inputDone) closeInput();
  bool signalled = options.signalToSend == 0;
  bool inputHeld = options.inputAfterOutput > 0;
  while (outFd >= 0 || errFd >= 0) {
    if (!signalled && result.out.size() >= options.signalAfterOutput) {
      kill(pid, options.signalToSend);
      signalled = true;
    }
    if (inputHeld && (result.out.size() >= options.inputAfterOutput || outFd < 0)) {
      if (options.nonBlocking) WaitUntilAsleep(pid);
      inputHeld = false;
    }
    std::vector<pollfd> fds;
    if (inFd >= 0 && !inputDone && !inputHeld) fds.push_back({inFd, POLLOUT, 0});
    if (outFd >= 0) fds.push_back({outFd, POLLIN, 0});
    if (errFd >= 0) fds.push_back({errFd, POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) break;
    for (const pollfd& p : fds) {
      if (p.revents == 0) continue;
      if (p.fd == inFd) {
        if (written == pending.size()) {
          pending.clear();
          written = 0;
          if (!options.moreInput || !options.moreInput(pending)) {
            inputDone = true;
            closeInput();
            continue;
          }
        }
        const ssize_t n = write(inFd, pending.data() + written, pending.size() - written);
        if (n > 0) written += static_cast<std::size_t>(n);
        if (n < 0) {
          inputDone = true;
          closeInput();
        }
        continue;
      }
      char buffer[65536];
      const ssize_t n = read(p.fd, buffer, sizeof buffer);
      std::string& target = p.fd == outFd ? result.out : result.err;
      if (n > 0) target.append(buffer, static_cast<std::size_t>(n));
      const bool limitReached = p.fd == outFd && result.out.size() >= options.readLimit;
      if (n <= 0 || limitReached) {
        close(p.fd);
        (p.fd == outFd ? outFd : errFd) = -1;
      }
    }
  }
  if (inFd >= 0) close(inFd);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  result.peakKiB = usage.ru_maxrss;
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
    result.core = WCOREDUMP(status);
  }
  return result;
}

}  // namespace programtest

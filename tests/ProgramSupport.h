// Runs the built program as a separate process, as a user's shell would: input on a pipe,
// output captured, the environment chosen by the test.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace programtest {

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;         // the exit status, or -1 after a signal
  int signal = 0;          // the signal that ended it, if any
  bool core = false;       // whether it dumped core
  long peakKiB = 0;        // its peak resident memory
  double seconds = 0;      // from the start to its end
  double afterSignal = 0;  // from the signal sent to its end
};

struct Options {
  std::vector<std::string> environment;  // NAME=value, in addition to PATH
  // Where standard output goes instead of a pipe: a path opened for writing.
  std::string stdoutPath;
  bool closeStdout = false;
  bool closeStdin = false;
  // Close our end of the output pipe after this many bytes (the reader goes away).
  std::size_t readLimit = std::string::npos;
  // More input after the fixed input, a chunk at a time, until it returns false; so that
  // input far larger than memory can be fed.
  std::function<bool(std::string&)> moreInput;
  // Keep standard input open after the input, so that the program waits.
  bool keepStdinOpen = false;
  // Make the program's standard input and output non-blocking, and hold the input back this
  // many milliseconds, so that its first read finds nothing there yet.
  bool nonBlocking = false;
  int inputDelayMs = 0;
  // Send this signal once this many milliseconds have passed.
  int signalToSend = 0;
  int signalAfterMs = 0;
  // The arguments after the program's name.
  std::vector<std::string> arguments;
};

inline Outcome Run(const std::string& program, const std::string& input,
                   const Options& options = {}) {
  int in[2], out[2], err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe");
  const auto start = std::chrono::steady_clock::now();
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
  if (options.inputDelayMs > 0) usleep(static_cast<useconds_t>(options.inputDelayMs) * 1000);
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
  std::chrono::steady_clock::time_point signalTime;
  while (outFd >= 0 || errFd >= 0) {
    std::vector<pollfd> fds;
    if (inFd >= 0 && !inputDone) fds.push_back({inFd, POLLOUT, 0});
    if (outFd >= 0) fds.push_back({outFd, POLLIN, 0});
    if (errFd >= 0) fds.push_back({errFd, POLLIN, 0});
    int timeout = -1;
    if (!signalled) {
      const auto due = start + std::chrono::milliseconds(options.signalAfterMs);
      timeout = static_cast<int>(std::max<long long>(
          0, std::chrono::duration_cast<std::chrono::milliseconds>(due -
                                                                   std::chrono::steady_clock::now())
                 .count()));
    }
    if (poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) break;
    if (!signalled && std::chrono::steady_clock::now() >=
                          start + std::chrono::milliseconds(options.signalAfterMs)) {
      kill(pid, options.signalToSend);
      signalTime = std::chrono::steady_clock::now();
      signalled = true;
    }
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
  const auto end = std::chrono::steady_clock::now();
  result.seconds = std::chrono::duration<double>(end - start).count();
  if (options.signalToSend != 0)
    result.afterSignal = std::chrono::duration<double>(end - signalTime).count();
  result.peakKiB = usage.ru_maxrss;
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
    result.core = WCOREDUMP(status);
  }
  return result;
}

}  // namespace programtest

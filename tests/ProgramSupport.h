// Runs the built program as a separate process, as a user's shell would: input on a pipe,
// output captured, the environment chosen by the test.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace programtest {

struct Outcome {
  std::string out;
  std::string err;
  int status = -1;  // the exit status, or -1 after a signal
  int signal = 0;   // the signal that ended it, if any
};

struct Options {
  std::vector<std::string> environment;  // NAME=value, in addition to PATH
  // Where standard output goes instead of a pipe: a path opened for writing.
  std::string stdoutPath;
  // Close our end of the output pipe after this many bytes (the reader goes away).
  std::size_t readLimit = std::string::npos;
  bool closeStdin = false;
};

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
    if (!options.stdoutPath.empty()) {
      const int fd = open(options.stdoutPath.c_str(), O_WRONLY);
      dup2(fd, STDOUT_FILENO);
    } else {
      dup2(out[1], STDOUT_FILENO);
    }
    dup2(err[1], STDERR_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
      close(fd);
    signal(SIGPIPE, SIG_DFL);
    std::vector<std::string> env = options.environment;
    env.push_back("PATH=/usr/bin:/bin");
    if (const char* asan = std::getenv("ASAN_OPTIONS"))
      env.push_back(std::string("ASAN_OPTIONS=") + asan);
    std::vector<char*> envp;
    for (std::string& e : env)
      envp.push_back(e.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    execve(program.c_str(), argv, envp.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  signal(SIGPIPE, SIG_IGN);

  Outcome result;
  std::size_t written = 0;
  int inFd = in[1];
  int outFd = out[0];
  int errFd = err[0];
  if (input.empty()) {
    close(inFd);
    inFd = -1;
  }
  while (outFd >= 0 || errFd >= 0) {
    std::vector<pollfd> fds;
    if (inFd >= 0) fds.push_back({inFd, POLLOUT, 0});
    if (outFd >= 0) fds.push_back({outFd, POLLIN, 0});
    if (errFd >= 0) fds.push_back({errFd, POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) break;
    for (const pollfd& p : fds) {
      if (p.revents == 0) continue;
      if (p.fd == inFd) {
        const ssize_t n = write(inFd, input.data() + written, input.size() - written);
        if (n > 0) written += static_cast<std::size_t>(n);
        if (n < 0 || written == input.size()) {
          close(inFd);
          inFd = -1;
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
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

}  // namespace programtest

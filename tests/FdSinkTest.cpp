// The output stream on a file descriptor: partial writes, and a reader gone.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <string>
#include <thread>

#include "FdStreams.h"
#include "Streams.h"

namespace {

// Output that a pipe takes a part at a time: every byte arrives, in order.
TEST(FdSink, WritesEverythingThroughPartialWrites) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  // A non-blocking pipe takes at most what it has room for, so the writes are partial.
  fcntl(fds[1], F_SETFL, fcntl(fds[1], F_GETFL) | O_NONBLOCK);
  std::string sent;
  for (int i = 0; i < 100000; ++i)
    sent += std::to_string(i);
  std::string received;
  std::thread reader([&] {
    char buffer[65536];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
      received.append(buffer, static_cast<std::size_t>(n));
  });
  FdSink sink(fds[1], "the pipe");
  sink.Write(sent.data(), sent.size());
  sink.Flush();
  sink.Write("end", 3);
  sink.Flush();
  close(fds[1]);
  reader.join();
  close(fds[0]);
  EXPECT_TRUE(received == sent + "end") << received.size() << " bytes of " << sent.size() + 3;
}

TEST(FdSink, AReaderGoneIsAnOutputError) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  close(fds[0]);
  const auto previous = signal(SIGPIPE, SIG_IGN);
  FdSink sink(fds[1], "the pipe");
  sink.Write("5", 1);
  try {
    sink.Flush();
    ADD_FAILURE() << "the write went through";
  } catch (const OutputError& error) {
    EXPECT_STREQ(error.what(), "cannot write to the pipe: Broken pipe");
  }
  signal(SIGPIPE, previous);
  close(fds[1]);
}

}  // namespace

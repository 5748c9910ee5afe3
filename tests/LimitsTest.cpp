// The program as a process under hostile input and broken surroundings: huge lines, endless
// empty lines, closed and failing outputs, hangups, interrupts and a thousand questions.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <utility>

#include "DialogueSupport.h"
#include "ProgramSupport.h"

namespace {

using programtest::Program;

using namespace dialoguetest;

// Memory stays flat under input far larger than it: the peak stays under 16 MiB while 32 MB
// come in. The bound is held on the program as users build it, in the unsanitised suite only.
// A sanitised process's peak is mostly the sanitizers' own: LeakSanitizer's scan at exit alone
// takes an amount that depends on the host (hundreds of MiB for an empty `main` on some), so a
// bound there would measure the machine, not the program. The sanitised suite still checks
// every byte of these sessions.
void ExpectFlatMemory(const programtest::Outcome& run) {
  if (TAVODIGITS_PROGRAM_SANITISED) return;
  EXPECT_LT(run.peakKiB, 16 * 1024) << "KiB at the peak";
}

// input, then count bytes of filler in chunks of a MiB, then tail.
programtest::Options Streamed(std::size_t count, char filler, std::string tail) {
  programtest::Options options;
  options.environment = {"LC_ALL=C.UTF-8"};
  auto left = std::make_shared<std::size_t>(count);
  auto rest = std::make_shared<std::string>(std::move(tail));
  options.moreInput = [left, rest, filler](std::string& chunk) {
    if (*left == 0) {
      if (rest->empty()) return false;
      chunk.swap(*rest);
      return true;
    }
    const std::size_t n = std::min<std::size_t>(*left, 1 << 20);
    chunk.assign(n, filler);
    *left -= n;
    return true;
  };
  return options;
}

TEST(Limits, AHugeLineOfDigitsIsReadAsItsFirst32Characters) {
  // 32 MB of zeros, twice the memory allowed: the number is the first 32 of them, 0, and the
  // rest of the line goes.
  const programtest::Outcome run =
      programtest::Run(Program, "", Streamed(32'000'000, '0', "\n5\n-1\n"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(MaskSeconds(run.out),
            Menu + PlacesPrompt + "\r\nπ＝3.\r\n141592" + Tail("14159") + Menu);
  ExpectFlatMemory(run);
}

TEST(Limits, AHugeLineWithoutALineEnd) {
  programtest::Options options = Streamed(32'000'000, 'x', "");
  const programtest::Outcome run = programtest::Run(Program, "2 ", options);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Menu + PlacesPrompt + "\r\n");
  ExpectFlatMemory(run);
}

TEST(Limits, TenMillionEmptyLines) {
  const programtest::Outcome run =
      programtest::Run(Program, "", Streamed(10'000'000, '\n', "2\n3\n-1\n"));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(MaskSeconds(run.out),
            Menu + PlacesPrompt + "\r\n" + SqrtHeader("2", "1") + "414" + Tail("414") + Menu);
  ExpectFlatMemory(run);
}

TEST(Limits, ClosedOutput) {
  programtest::Options options;
  options.closeStdout = true;
  const programtest::Outcome run = programtest::Run(Program, "2\n5\n-1\n", options);
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(run.core);
  EXPECT_EQ(run.err, "tavodigits: cannot write to standard output: Bad file descriptor\n");
}

// Non-blocking input and output that are not ready yet are waited for, not taken for the end
// of the input or a failure: the input comes once the program sleeps after its menu.
TEST(Limits, NonBlockingInputAndOutput) {
  programtest::Options options;
  options.environment = {"LC_ALL=C.UTF-8"};
  options.nonBlocking = true;
  options.inputAfterOutput = Menu.size();
  const programtest::Outcome run = programtest::Run(Program, "2\n3\n-1\n", options);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(MaskSeconds(run.out),
            Menu + PlacesPrompt + "\r\n" + SqrtHeader("2", "1") + "414" + Tail("414") + Menu);
}

TEST(Limits, HangupWhileWaitingEndsTheProgram) {
  programtest::Options options;
  options.keepStdinOpen = true;
  options.signalToSend = SIGHUP;
  options.signalAfterOutput = Menu.size();
  const programtest::Outcome run = programtest::Run(Program, "", options);
  EXPECT_EQ(run.signal, SIGHUP);
  EXPECT_FALSE(run.core);
  EXPECT_EQ(run.out, Menu);
}

TEST(Limits, InterruptDuringALongQuestion) {
  programtest::Options options;
  options.signalToSend = SIGINT;
  options.keepStdinOpen = true;
  // π to 65535 places, interrupted once its first digits are out.
  const std::string firstDigits = Menu + PlacesPrompt + "\r\nπ＝3.\r\n1415";
  options.signalAfterOutput = firstDigits.size();
  const programtest::Outcome run = programtest::Run(Program, "0\n65535\n", options);
  EXPECT_EQ(run.signal, SIGINT);
  EXPECT_FALSE(run.core);
  EXPECT_TRUE(run.out.starts_with(firstDigits));
}

// A script answers the menu a thousand times; e beyond its capacity part way sets the flag,
// and every later answer is its header line and "Overflow".
TEST(Limits, AThousandQuestions) {
  std::string input;
  const char* questions[] = {"2\n3\n", "0\n3\n", "1\n3\n", "65535\n2\n"};
  for (int i = 0; i < 1000; ++i)
    input += i == 400 ? "1\n8005\n" : questions[i % 4];
  input += "-1\n";
  programtest::Options options;
  options.environment = {"LC_ALL=C.UTF-8"};
  const programtest::Outcome run = programtest::Run(Program, input, options);
  ASSERT_EQ(run.status, 0);
  const std::string out = MaskSeconds(run.out);

  std::string expected;
  const std::string answers[][2] = {{SqrtHeader("2", "1") + "414", "414"},
                                    {"π＝3.\r\n1415", "141"},
                                    {"ｅ＝2.\r\n718", "718"},
                                    {SqrtHeader("65535", "255") + "99", "99"}};
  const std::string headers[] = {SqrtHeader("2", "1"), "π＝3.\r\n", "ｅ＝2.\r\n",
                                 SqrtHeader("65535", "255")};
  for (int i = 0; i < 400; ++i) {
    expected += Menu + PlacesPrompt + "\r\n" + answers[i % 4][0] + Tail(answers[i % 4][1]);
  }
  const std::size_t before = expected.size();
  ASSERT_EQ(out.substr(0, before), expected);
  const std::string eHead = Menu + PlacesPrompt + "\r\nｅ＝2.\r\n";
  ASSERT_EQ(out.substr(before, eHead.size()), eHead);
  const std::size_t tail = out.find(OverflowTail, before);
  ASSERT_NE(tail, std::string::npos);
  EXPECT_EQ(tail - before - eHead.size(), 8004u);
  std::string after;
  for (int i = 401; i < 1000; ++i)
    after += Menu + PlacesPrompt + "\r\n" + headers[i % 4] + OverflowTail;
  EXPECT_EQ(out.substr(tail + OverflowTail.size()), after + Menu);
}

}  // namespace

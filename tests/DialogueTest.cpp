// Whole dialogues in process: input bytes in, output bytes out, with the seconds masked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "Dialogue.h"
#include "DialogueSupport.h"

namespace {

using namespace dialoguetest;

TEST(Dialogue, OneCompleteQuestion) {
  const DialogueRun run = RunInProcess("2\n5\n-1\n");
  const std::string expected =
      Menu + PlacesPrompt + "\r\n" + SqrtHeader("2", "1") + "41421" + Seconds + "\n\r\n" + Labels +
      "    0     2     1     0     2     0     0     0     0     0 \r\n" + Menu;
  EXPECT_EQ(MaskSeconds(run.output), expected);
  EXPECT_EQ(run.status, 0);
}

TEST(Dialogue, PromptsAndDigitsAreFlushed) {
  const DialogueRun run = RunInProcess("2\n10\n-1\n");
  const std::string& out = run.output;
  const auto flushedAt = [&](std::size_t size) {
    return std::find(run.flushes.begin(), run.flushes.end(), size) != run.flushes.end();
  };
  EXPECT_TRUE(flushedAt(Menu.size()));
  EXPECT_TRUE(flushedAt(Menu.size() + PlacesPrompt.size()));
  const std::size_t digits = out.find("4142135623");
  ASSERT_NE(digits, std::string::npos);
  for (std::size_t i = 1; i <= 10; ++i)
    EXPECT_TRUE(flushedAt(digits + i)) << i;
  EXPECT_EQ(run.flushes.back(), out.size());
}

TEST(Dialogue, PlacesAreTakenModulo65536) {
  EXPECT_EQ(MaskSeconds(RunInProcess("2\n0\n-1\n").output),
            Menu + PlacesPrompt + "\r\n" + SqrtHeader("2", "1") + Tail("") + Menu);
  EXPECT_EQ(MaskSeconds(RunInProcess("3\n65536\n-1\n").output),
            Menu + PlacesPrompt + "\r\n" + SqrtHeader("3", "1") + Tail("") + Menu);
  EXPECT_EQ(MaskSeconds(RunInProcess("3\n65540\n-1\n").output),
            Menu + PlacesPrompt + "\r\n" + SqrtHeader("3", "1") + "7320" + Tail("7320") + Menu);
}

// -1 asks for 65535 places, beyond the capacity; after the overflow every question ends in
// "Overflow" with its header line only.
TEST(Dialogue, OverflowPersistsForTheRestOfTheRun) {
  const DialogueRun run = RunInProcess("4\n-1\n2\n5\n10\n3\n-1\n");
  const std::string out = MaskSeconds(run.output);
  const std::string first = Menu + PlacesPrompt + "\r\n" + SqrtHeader("4", "2");
  ASSERT_EQ(out.substr(0, first.size()), first);
  const std::size_t tail = out.find(OverflowTail);
  ASSERT_NE(tail, std::string::npos);
  EXPECT_EQ(out.substr(first.size(), tail - first.size()), std::string(10032, '0'));
  const std::string later = Menu + PlacesPrompt + "\r\n" + SqrtHeader("2", "1") + OverflowTail +
                            Menu + PlacesPrompt + "\r\n" + SqrtHeader("10", "3") + OverflowTail +
                            Menu;
  EXPECT_EQ(out.substr(tail + OverflowTail.size()), later);
  EXPECT_EQ(run.status, 0);
}

// π to one place beyond its capacity prints 1996 digits and ends on the overflow; e and √n
// asked afterwards print their header lines only.
TEST(Dialogue, OverflowOfPiPersists) {
  const std::string out = MaskSeconds(RunInProcess("0\n1997\n1\n5\n2\n5\n-1\n").output);
  const std::string head = Menu + PlacesPrompt + "\r\nπ＝3.\r\n";
  ASSERT_EQ(out.substr(0, head.size()), head);
  const std::size_t tail = out.find(OverflowTail);
  ASSERT_NE(tail, std::string::npos);
  EXPECT_EQ(tail - head.size(), 1996u);
  EXPECT_EQ(out.substr(head.size(), 12), "141592653589");
  EXPECT_EQ(out.substr(tail + OverflowTail.size()),
            Menu + PlacesPrompt + "\r\nｅ＝2.\r\n" + OverflowTail + Menu + PlacesPrompt + "\r\n" +
                SqrtHeader("2", "1") + OverflowTail + Menu);
}

TEST(Dialogue, EndsAndRefusals) {
  struct Case {
    const char* what;
    std::string input;
    std::string output;
    int status;
  };
  const Case cases[] = {
      {"negative at the first menu", "-5\n", Menu, 0},
      {"hex negative at the menu", "$FFFFFFFF\n", Menu, 0},
      {"end of input at the menu", "", Menu + "\r\n", 0},
      {"Ctrl-Z at the menu", "\x1a", Menu + "\r\n", 0},
      {"end of input at the places", "2\n", Menu + PlacesPrompt + "\r\n", 0},
      {"blank lines, then the end", "\n\n  \n", Menu + "\r\n", 0},
      {"input error at the menu", "7abc\n", Menu + InputError, 1},
      {"input error at the places", "2\nfive\n", Menu + PlacesPrompt + InputError, 1},
      {"menu number above 65535", "70000\n5\n", Menu + PlacesPrompt + "\r\n" + RangeError, 1},
      {"words after the menu number", " 7 seven\n1\n-1\n",
       Menu + PlacesPrompt + "\r\n" + SqrtHeader("7", "2") + "6" + Tail("6") + Menu, 0},
  };
  for (const Case& c : cases) {
    const DialogueRun run = RunInProcess(c.input);
    EXPECT_EQ(MaskSeconds(run.output), c.output) << c.what;
    EXPECT_EQ(run.status, c.status) << c.what;
  }
}

TEST(Dialogue, SecondsUseTheLocaleSeparator) {
  EXPECT_EQ(FormatSeconds(0.0, "."), "0.000");
  EXPECT_EQ(FormatSeconds(1.23449, ","), "1,234");
  EXPECT_EQ(FormatSeconds(12.3456, "."), "12.346");
  EXPECT_EQ(FormatSeconds(0.0005, "."), "0.001");
}

}  // namespace

// The built program run as a process: its bytes in each kind of locale, its exit statuses, and
// what it does when its output goes away.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "DialogueSupport.h"
#include "ProgramSupport.h"

namespace {

using programtest::LocaleDir;
using programtest::Program;

using namespace dialoguetest;

// A question as the user sees it in UTF-8, seconds masked: √2 to 5 places, then the end.
const std::string SqrtTranscript =
    Menu + PlacesPrompt + "\r\n" + "\r\n√2＝ 1.\r\n" + "41421" + Seconds + "\n\r\n" + Labels +
    "    0     2     1     0     2     0     0     0     0     0 \r\n" + Menu;

class ProgramTest : public ::testing::Test {
 protected:
  static programtest::Outcome RunIn(const std::string& locale, const std::string& input) {
    programtest::Options options;
    options.environment = {"LC_ALL=" + locale, "LOCPATH=" + LocaleDir};
    return programtest::Run(Program, input, options);
  }
};

TEST_F(ProgramTest, Utf8AndLocalesWithoutJapaneseGiveUtf8) {
  for (const char* locale : {"C.UTF-8", "C", "POSIX"}) {
    const programtest::Outcome run = RunIn(locale, "2\n5\n-1\n");
    EXPECT_EQ(MaskSeconds(run.out), SqrtTranscript) << locale;
    EXPECT_EQ(run.status, 0) << locale;
    EXPECT_EQ(run.err, "") << locale;
  }
}

TEST_F(ProgramTest, JapaneseLocalesGetTheirOwnEncoding) {
  for (const char* charset : {"SHIFT_JIS", "EUC-JP"}) {
    const programtest::Outcome run =
        RunIn(std::string("ja_JP.") + (charset[0] == 'S' ? "SJIS" : "EUC-JP"), "2\n5\n-1\n");
    EXPECT_EQ(MaskSeconds(run.out, programtest::Recode("秒)", charset)),
              programtest::Recode(SqrtTranscript, charset))
        << charset;
    EXPECT_EQ(run.status, 0);
  }
}

TEST_F(ProgramTest, ShiftJisHasTheBytesOfCodePage932) {
  const programtest::Outcome pi = RunIn("ja_JP.SJIS", "0\n0\n1\n0\n2\n0\n-1\n");
  const std::string& out = pi.out;
  const struct {
    const char* what;
    std::string bytes;
  } expected[] = {
      {"π＝", "\x83\xce\x81\x81"},
      {"√", "\x81\xe3"},
      {"秒", "\x95\x62"},
      {"，", "\x81\x43"},
      {"ideographic space", "\x81\x40"},
      {"ｅ", "\x82\x85"},
      {"ｎ", "\x82\x8e"},
      {"（）", "\x81\x69"},
      {"）", "\x81\x6a"},
  };
  for (const auto& e : expected)
    EXPECT_NE(out.find(e.bytes), std::string::npos) << e.what;
  EXPECT_EQ(pi.status, 0);
}

TEST_F(ProgramTest, ACommaLocaleSeparatesTheSecondsWithAComma) {
  const programtest::Outcome run = RunIn("de_DE.UTF-8", "2\n5\n-1\n");
  const std::size_t open = run.out.find("41421       (");
  ASSERT_NE(open, std::string::npos);
  const std::size_t length = SecondsLength(run.out, open + 13);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(run.out[open + 13 + length - 4], ',');
  EXPECT_EQ(MaskSeconds(run.out), SqrtTranscript);
}

TEST_F(ProgramTest, ExitStatuses) {
  const struct {
    std::string input;
    int status;
    std::string ending;
  } cases[] = {
      {"-1\n", 0, "? "},
      {"", 0, "? \r\n"},
      {"2\n", 0, "? \r\n"},
      {"abc\n", 1, InputError},
      {"70000\n3\n", 1, "\r\n" + RangeError},
  };
  for (const auto& c : cases) {
    const programtest::Outcome run = RunIn("C.UTF-8", c.input);
    EXPECT_EQ(run.status, c.status) << c.input;
    EXPECT_TRUE(run.out.ends_with(c.ending)) << c.input;
    EXPECT_EQ(run.err, "");
  }
}

TEST_F(ProgramTest, FailingOutputEndsWithStatusOneAndAMessage) {
  programtest::Options full;
  full.stdoutPath = "/dev/full";
  const programtest::Outcome disk = programtest::Run(Program, "2\n5\n-1\n", full);
  EXPECT_EQ(disk.status, 1);
  EXPECT_FALSE(disk.core);
  EXPECT_NE(disk.err.find("cannot write"), std::string::npos) << disk.err;

  // The reader goes away after the menu and before the input comes: the places prompt cannot
  // be written.
  programtest::Options gone;
  gone.readLimit = 100;
  gone.inputAfterOutput = 100;
  const programtest::Outcome pipe = programtest::Run(Program, "2\n5000\n-1\n", gone);
  EXPECT_EQ(pipe.status, 1);
  EXPECT_EQ(pipe.signal, 0);
  EXPECT_FALSE(pipe.core);
  EXPECT_NE(pipe.err.find("cannot write"), std::string::npos) << pipe.err;
}

TEST_F(ProgramTest, ClosedInputEndsTheDialogue) {
  programtest::Options closed;
  closed.closeStdin = true;
  const programtest::Outcome run = programtest::Run(Program, "", closed);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, Menu + "\r\n");
}

}  // namespace

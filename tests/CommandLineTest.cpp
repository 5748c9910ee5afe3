// The built program's command line: what each kind of argument writes, where, and with which
// exit status, under a Japanese locale, the C locale, and Japanese text with C messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IconvTexts.h"
#include "ProgramSupport.h"
#include "Texts.h"

namespace {

const std::string Program = TAVODIGITS_PROGRAM;
// The locales that the tests run under are made by a fixture of the suite, in this folder.
const std::string LocaleDir = TAVODIGITS_TEST_LOCALES;

struct Environment {
  std::vector<std::string> variables;
  const char* charset;  // of the dialogue in it
  HelpLanguage help;
};

const Environment Environments[] = {
    {{"LC_ALL=ja_JP.SJIS"}, "SHIFT_JIS", HelpLanguage::Japanese},
    {{"LC_ALL=C"}, "ANSI_X3.4-1968", HelpLanguage::English},
    {{"LANG=ja_JP.SJIS", "LC_MESSAGES=C"}, "SHIFT_JIS", HelpLanguage::English},
};

enum class Answer { Help, Version, Refusal };

const std::string TryHelp = "Try 'tavodigits --help' for more information.\n";

const struct {
  std::vector<std::string> arguments;
  Answer answer;
  std::string err;  // of a refusal
} Cases[] = {
    {{"--help"}, Answer::Help, ""},
    {{"--he"}, Answer::Help, ""},
    {{"places", "--help"}, Answer::Help, ""},
    {{"--version"}, Answer::Version, ""},
    {{"--foo"}, Answer::Refusal, "tavodigits: unrecognized option '--foo'\n" + TryHelp},
    {{"--help=1"}, Answer::Refusal, "tavodigits: unrecognized option '--help=1'\n" + TryHelp},
    {{"-x"}, Answer::Refusal, "tavodigits: invalid option -- 'x'\n" + TryHelp},
    {{"places"}, Answer::Refusal, "tavodigits: extra operand 'places'\n" + TryHelp},
    {{"--", "--help"}, Answer::Refusal, "tavodigits: extra operand '--help'\n" + TryHelp},
};

TEST(CommandLineTest, EachArgumentGetsItsAnswerInEachLocale) {
  const std::string version = std::string("tavodigits ") + TAVODIGITS_VERSION + "\n";
  for (const Environment& environment : Environments) {
    programtest::Options options;
    options.environment = environment.variables;
    options.environment.push_back("LOCPATH=" + LocaleDir);
    const std::string help = TextsInCharset(environment.charset, ".", environment.help).Help;
    for (const auto& c : Cases) {
      options.arguments = c.arguments;
      // An answer on the dialogue's input would show if the dialogue ran after all.
      const programtest::Outcome run = programtest::Run(Program, "0\n5\n-1\n", options);
      const std::string where = environment.variables[0] + " " + c.arguments[0];
      switch (c.answer) {
        case Answer::Help:
          EXPECT_EQ(run.out, help) << where;
          for (const char* fact : {"1996", "8004", "10,029", "Overflow", "--version", "\n 2  "})
            EXPECT_NE(run.out.find(fact), std::string::npos) << where << ": " << fact;
          break;
        case Answer::Version:
          EXPECT_EQ(run.out.substr(0, version.size()), version) << where;
          EXPECT_NE(run.out.find("\nCopyright (c) 2026 "), std::string::npos) << where;
          EXPECT_NE(run.out.find("MIT licence"), std::string::npos) << where;
          break;
        case Answer::Refusal:
          EXPECT_EQ(run.out, "") << where;
          break;
      }
      EXPECT_EQ(run.err, c.err) << where;
      EXPECT_EQ(run.status, c.answer == Answer::Refusal ? 2 : 0) << where;
    }
  }
}

// The help must not turn the dialogue's texts back to UTF-8 by holding a character that a
// Japanese encoding lacks.
TEST(CommandLineTest, JapaneseHelpFitsEveryJapaneseEncoding) {
  for (const char* charset : {"SHIFT_JIS", "EUC-JP", "CP932"}) {
    const DialogueTexts utf8 = TextsInCharset("UTF-8", ".", HelpLanguage::Japanese);
    const DialogueTexts texts = TextsInCharset(charset, ".", HelpLanguage::Japanese);
    EXPECT_NE(texts.MenuIntro, utf8.MenuIntro) << charset;
    EXPECT_NE(texts.Help, utf8.Help) << charset;
  }
}

}  // namespace

// The built program's command line: what each kind of argument writes, where, and with which
// exit status, under the C locale, Japanese text with C messages, Japanese messages with
// UTF-8 or ASCII text, and the Japanese locales: the help byte for byte in each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProgramSupport.h"

namespace {

using programtest::LocaleDir;
using programtest::Program;

const std::string EnglishHelp = R"(Usage: tavodigits [OPTION]
Compute pi, e or the square root of n to as many decimal places as asked for,
printing each digit as soon as it has settled, then the time taken and how often
each digit 0 to 9 occurs among the places. The dialogue is in Japanese; it reads
its answers from standard input and writes to standard output. At its menu type
  0    for pi, complete up to 1996 places,
  1    for e, complete up to 8004 places,
  n    for the square root of n (2 to 65535), complete up to 10,029 places
       whatever n is, and a few more for some (10,031 for n = 2),
or a negative number to end the program. Then type the number of places, which
is taken modulo 65536: -1 asks for 65535 places.
Beyond those places the arithmetic overflows: the program prints "Overflow" in
place of the digit counts, and does so for every later question of the run.
An answer is a decimal integer with an optional sign, or a hexadecimal one after
$, x, X, 0x or 0X, ended by a blank or the line end; the rest of the line is
ignored, and empty lines are skipped.
The end of the input, or the byte 26 (Ctrl-Z), ends the dialogue.
The locale picks the character encoding and the decimal separator of the time.

      --help     display this help and exit
      --version  output version information and exit

Exit status:
 0  the dialogue ended: a negative number, or the end of the input
 1  an answer was not a number, n was above 65535, or the output failed
 2  the command line was wrong
)";

const std::string JapaneseHelp = R"(使い方: tavodigits [オプション]
π、e、n の平方根のいずれかを指定した小数点以下の桁数まで計算し、確定した
数字から順に表示します。続いて計算にかかった時間と、求めた桁に 0 から 9 の
各数字が現れた回数を表示します。対話は日本語で、答えを標準入力から読み、
標準出力に書きます。メニューで次の番号を入れます。
  0    π（円周率）。1996 桁まで正しく求めます
  1    e（ネイピアの数、自然対数の底）。8004 桁まで
  n    n の平方根（n は 2 から 65535）。どの n でも 10,029 桁まで、
       n によってはもう少し先まで（n = 2 なら 10,031 桁まで）
負の数を入れると終わります。続いて桁数を入れます。桁数は 65536 で割った
余りとして扱い、-1 は 65535 桁になります。
これを超える桁数では演算があふれ、数字の頻度の代わりに "Overflow" と
表示します。一度あふれると、その実行の以後の質問もすべて "Overflow" です。
答えは符号の付いてもよい 10 進の整数か、$、x、X、0x、0X に続く 16 進の
整数で、空白か行末で終わります。行の残りは読み捨て、空行は読み飛ばします。
入力の終わりかバイト 26（Ctrl-Z）で対話が終わります。
ロケールが文字コードと、時間の小数点の記号を決めます。

      --help     この説明を表示して終わります
      --version  版の情報を表示して終わります

終了ステータス:
 0  対話が終わったとき（負の数、または入力の終わり）
 1  答えが数でないとき、n が 65535 を超えるとき、出力に書けないとき
 2  コマンドラインが正しくないとき
)";

const struct {
  std::vector<std::string> variables;
  const std::string& help;
  const char* charset;  // of the help, where it is not written as it stands here
} Environments[] = {
    {{"LC_ALL=C"}, EnglishHelp, nullptr},
    {{"LANG=ja_JP.SJIS", "LC_MESSAGES=C"}, EnglishHelp, nullptr},
    {{"LANG=C.UTF-8", "LC_MESSAGES=ja_JP.SJIS"}, JapaneseHelp, nullptr},
    {{"LANG=C", "LC_MESSAGES=ja_JP.SJIS"}, JapaneseHelp, nullptr},  // ASCII cannot hold it
    {{"LC_ALL=ja_JP.SJIS"}, JapaneseHelp, "SHIFT_JIS"},
    {{"LC_ALL=ja_JP.EUC-JP"}, JapaneseHelp, "EUC-JP"},
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
    {{"--h"}, Answer::Help, ""},
    {{"places", "--help"}, Answer::Help, ""},
    {{"--version"}, Answer::Version, ""},
    {{"--v"}, Answer::Version, ""},
    {{"--foo"}, Answer::Refusal, "tavodigits: unrecognized option '--foo'\n" + TryHelp},
    {{"--help=1"}, Answer::Refusal, "tavodigits: unrecognized option '--help=1'\n" + TryHelp},
    {{"-x"}, Answer::Refusal, "tavodigits: invalid option -- 'x'\n" + TryHelp},
    {{"places"}, Answer::Refusal, "tavodigits: extra operand 'places'\n" + TryHelp},
    {{"--", "--help"}, Answer::Refusal, "tavodigits: extra operand '--help'\n" + TryHelp},
};

TEST(CommandLineTest, EachArgumentGetsItsAnswerInEachLocale) {
  const std::string version = std::string("tavodigits ") + TAVODIGITS_VERSION + "\n";
  for (const auto& environment : Environments) {
    programtest::Options options;
    options.environment = environment.variables;
    options.environment.push_back("LOCPATH=" + LocaleDir);
    const std::string help = environment.charset
                                 ? programtest::Recode(environment.help, environment.charset)
                                 : environment.help;
    for (const auto& c : Cases) {
      options.arguments = c.arguments;
      // An answer on the dialogue's input would show if the dialogue ran after all.
      const programtest::Outcome run = programtest::Run(Program, "0\n5\n-1\n", options);
      const std::string where = environment.variables[0] + " " + c.arguments[0];
      switch (c.answer) {
        case Answer::Help:
          EXPECT_EQ(run.out, help) << where;
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

}  // namespace

#include "Texts.h"

#include <optional>
#include <string>

namespace {

constexpr const char* EnglishHelp = R"(Usage: tavodigits [OPTION]
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

constexpr const char* JapaneseHelp = R"(使い方: tavodigits [オプション]
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

}  // namespace

DialogueTexts Utf8Texts(const std::string& decimalPoint) {
  return {
      .MenuIntro = "次の[番号]で指定した数を指定した桁数まで計算し，現れた数字の頻度を求めます",
      .MenuPi = "　[0] π 円周率",
      .MenuE = "  [1] ｅ ネイピアの数（自然対数の底）",
      .MenuSqrt = "  [n] √ｎ ｎの平方根",
      .MenuPrompt = "番号（負の数を入れると終わります） ? ",
      .PlacesPrompt = "小数点以下何桁まで求めますか ? ",
      .SecondsOpen = "       (",
      .SecondsClose = "秒)",
      .PiHeader = "π＝3.",
      .EHeader = "ｅ＝2.",
      .SqrtSign = "√",
      .SqrtEquals = "＝ ",
      .InputError = "入力値が数値ではありません",
      .RangeError = "範囲チェックエラー",
      .Overflow = "Overflow",
      .DecimalPoint = decimalPoint,
  };
}

std::optional<DialogueTexts> ConvertTexts(const DialogueTexts& utf8,
                                          const TextConversion& convert) {
  bool whole = true;
  const auto c = [&](const std::string& text) {
    std::optional<std::string> converted = convert(text);
    whole = whole && converted;
    return converted.value_or("");
  };
  DialogueTexts converted{
      .MenuIntro = c(utf8.MenuIntro),
      .MenuPi = c(utf8.MenuPi),
      .MenuE = c(utf8.MenuE),
      .MenuSqrt = c(utf8.MenuSqrt),
      .MenuPrompt = c(utf8.MenuPrompt),
      .PlacesPrompt = c(utf8.PlacesPrompt),
      .SecondsOpen = c(utf8.SecondsOpen),
      .SecondsClose = c(utf8.SecondsClose),
      .PiHeader = c(utf8.PiHeader),
      .EHeader = c(utf8.EHeader),
      .SqrtSign = c(utf8.SqrtSign),
      .SqrtEquals = c(utf8.SqrtEquals),
      .InputError = c(utf8.InputError),
      .RangeError = c(utf8.RangeError),
      .Overflow = c(utf8.Overflow),
      .DecimalPoint = utf8.DecimalPoint,
  };
  if (!whole) return std::nullopt;
  return converted;
}

std::string Utf8Help(HelpLanguage language) {
  return language == HelpLanguage::Japanese ? JapaneseHelp : EnglishHelp;
}

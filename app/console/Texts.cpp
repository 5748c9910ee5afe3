#include "Texts.h"

#include <iconv.h>
#include <langinfo.h>

#include <clocale>
#include <optional>
#include <vector>

namespace {

DialogueTexts Utf8Texts(const std::string& decimalPoint) {
  DialogueTexts t;
  t.MenuIntro = "次の[番号]で指定した数を指定した桁数まで計算し，現れた数字の頻度を求めます";
  t.MenuPi = "　[0] π 円周率";
  t.MenuE = "  [1] ｅ ネイピアの数（自然対数の底）";
  t.MenuSqrt = "  [n] √ｎ ｎの平方根";
  t.MenuPrompt = "番号（負の数を入れると終わります） ? ";
  t.PlacesPrompt = "小数点以下何桁まで求めますか ? ";
  t.SecondsOpen = "       (";
  t.SecondsClose = "秒)";
  t.PiHeader = "π＝3.";
  t.EHeader = "ｅ＝2.";
  t.SqrtSign = "√";
  t.SqrtEquals = "＝ ";
  t.InputError = "入力値が数値ではありません";
  t.RangeError = "範囲チェックエラー";
  t.Overflow = "Overflow";
  t.DecimalPoint = decimalPoint;
  return t;
}

// The UTF-8 text converted by cd, or nothing when it has a character the target lacks.
std::optional<std::string> Convert(iconv_t cd, const std::string& text) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::vector<char> out(text.size() * 4 + 16);
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* dst = out.data();
  std::size_t outLeft = out.size();
  if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
  // Close any shift state that a stateful encoding has open.
  if (iconv(cd, nullptr, nullptr, &dst, &outLeft) == static_cast<std::size_t>(-1)) {
    return std::nullopt;
  }
  return std::string(out.data(), dst);
}

}  // namespace

DialogueTexts TextsInCharset(const char* charset, const std::string& decimalPoint) {
  DialogueTexts utf8 = Utf8Texts(decimalPoint);
  iconv_t cd = iconv_open(charset, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
  DialogueTexts converted = utf8;
  bool complete = true;
  for (std::string DialogueTexts::*field :
       {&DialogueTexts::MenuIntro, &DialogueTexts::MenuPi, &DialogueTexts::MenuE,
        &DialogueTexts::MenuSqrt, &DialogueTexts::MenuPrompt, &DialogueTexts::PlacesPrompt,
        &DialogueTexts::SecondsOpen, &DialogueTexts::SecondsClose, &DialogueTexts::PiHeader,
        &DialogueTexts::EHeader, &DialogueTexts::SqrtSign, &DialogueTexts::SqrtEquals,
        &DialogueTexts::InputError, &DialogueTexts::RangeError, &DialogueTexts::Overflow}) {
    std::optional<std::string> text = Convert(cd, utf8.*field);
    if (!text) {
      complete = false;
      break;
    }
    converted.*field = *text;
  }
  iconv_close(cd);
  return complete ? converted : utf8;
}

DialogueTexts TextsForLocale() {
  const char* point = std::localeconv()->decimal_point;
  const std::string decimalPoint = point != nullptr && *point != '\0' ? point : ".";
  return TextsInCharset(nl_langinfo(CODESET), decimalPoint);
}

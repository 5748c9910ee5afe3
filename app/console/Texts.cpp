#include "Texts.h"

namespace {

// Every field that holds a fixed text, that is all but the decimal separator.
constexpr std::string DialogueTexts::*TextFields[] = {
    &DialogueTexts::MenuIntro,   &DialogueTexts::MenuPi,       &DialogueTexts::MenuE,
    &DialogueTexts::MenuSqrt,    &DialogueTexts::MenuPrompt,   &DialogueTexts::PlacesPrompt,
    &DialogueTexts::SecondsOpen, &DialogueTexts::SecondsClose, &DialogueTexts::PiHeader,
    &DialogueTexts::EHeader,     &DialogueTexts::SqrtSign,     &DialogueTexts::SqrtEquals,
    &DialogueTexts::InputError,  &DialogueTexts::RangeError,   &DialogueTexts::Overflow};

}  // namespace

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

std::optional<DialogueTexts> ConvertTexts(const DialogueTexts& utf8,
                                          const TextConversion& convert) {
  DialogueTexts converted = utf8;
  for (std::string DialogueTexts::*field : TextFields) {
    std::optional<std::string> text = convert(utf8.*field);
    if (!text) return std::nullopt;
    converted.*field = std::move(*text);
  }
  return converted;
}

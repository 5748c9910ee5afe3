#include <iconv.h>
#include <langinfo.h>

#include <clocale>
#include <optional>
#include <string_view>
#include <vector>

#include "IconvTexts.h"

namespace {

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

DialogueTexts TextsInCharset(const char* charset, const std::string& decimalPoint,
                             HelpLanguage helpLanguage) {
  const DialogueTexts utf8 = Utf8Texts(decimalPoint, helpLanguage);
  iconv_t cd = iconv_open(charset, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return utf8;
  const std::optional<DialogueTexts> converted =
      ConvertTexts(utf8, [cd](const std::string& text) { return Convert(cd, text); });
  iconv_close(cd);
  return converted.value_or(utf8);
}

DialogueTexts TextsForLocale() {
  const char* point = std::localeconv()->decimal_point;
  const std::string decimalPoint = point != nullptr && *point != '\0' ? point : ".";
  const char* messages = std::setlocale(LC_MESSAGES, nullptr);
  const bool japanese = messages != nullptr && std::string_view(messages).starts_with("ja");
  return TextsInCharset(nl_langinfo(CODESET), decimalPoint,
                        japanese ? HelpLanguage::Japanese : HelpLanguage::English);
}

#include "Texts.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <clocale>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Conversion from UTF-8 into a character set that iconv knows by name.
class Iconv {
 public:
  explicit Iconv(const char* charset) : cd_(iconv_open(charset, "UTF-8")) {}
  ~Iconv() {
    if (cd_ != Unknown()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // The text converted, or nothing when the character set lacks one of its characters or
  // iconv does not know the character set.
  std::optional<std::string> operator()(const std::string& text) const {
    if (cd_ == Unknown()) return std::nullopt;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> out(text.size() * 4 + 16);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    if (iconv(cd_, &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1)) {
      return std::nullopt;
    }
    // Close any shift state that a stateful encoding has open.
    if (iconv(cd_, nullptr, nullptr, &dst, &outLeft) == static_cast<std::size_t>(-1)) {
      return std::nullopt;
    }
    return std::string(out.data(), dst);
  }

 private:
  static iconv_t Unknown() { return reinterpret_cast<iconv_t>(-1); }
  iconv_t cd_;
};

// The conversion from UTF-8 into the locale's encoding, or nothing where the answer is UTF-8
// without asking iconv: UTF-8 itself, and ASCII, which cannot hold the Japanese texts and holds
// the English help as it is. Opening a conversion costs iconv's list of modules and often a
// module of its own, for bytes that would come out the same.
std::optional<Iconv> ConversionForLocale() {
  const std::string_view codeset = nl_langinfo(CODESET);
  if (codeset == "UTF-8" || codeset == "ANSI_X3.4-1968") return std::nullopt;
  return std::optional<Iconv>(std::in_place, codeset.data());
}

// The user's Japanese messages get the Japanese help.
HelpLanguage LocaleHelpLanguage() {
  const char* messages = std::setlocale(LC_MESSAGES, nullptr);
  const bool japanese = messages != nullptr && std::string_view(messages).starts_with("ja");
  return japanese ? HelpLanguage::Japanese : HelpLanguage::English;
}

}  // namespace

DialogueTexts TextsForLocale() {
  const char* point = std::localeconv()->decimal_point;
  DialogueTexts utf8 = Utf8Texts(point != nullptr && *point != '\0' ? point : ".");
  const std::optional<Iconv> convert = ConversionForLocale();
  if (!convert) return utf8;
  return ConvertTexts(utf8, [&convert](const std::string& text) { return (*convert)(text); })
      .value_or(std::move(utf8));
}

std::string HelpForLocale() {
  std::string utf8 = Utf8Help(LocaleHelpLanguage());
  const std::optional<Iconv> convert = ConversionForLocale();
  if (!convert) return utf8;
  return (*convert)(utf8).value_or(std::move(utf8));
}

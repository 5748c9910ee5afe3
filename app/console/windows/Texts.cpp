#include "Texts.h"

#include <windows.h>

#include <cstddef>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "ConsoleText.h"

namespace {

// The separator of the user's locale, or a point where it sets none.
std::wstring DecimalSeparator() {
  wchar_t separator[8];
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator,
                                     static_cast<int>(std::size(separator)));
  return length > 1 ? std::wstring(separator, static_cast<std::size_t>(length - 1)) : L".";
}

// A console is written in UTF-16, which the sink makes from UTF-8; anything else gets the
// bytes of the ANSI code page, as a Windows program's output is read.
UINT OutputCodePage() {
  return IsConsole(GetStdHandle(STD_OUTPUT_HANDLE)) ? CP_UTF8 : GetACP();
}

}  // namespace

std::wstring Utf16FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
  return text;
}

std::optional<std::string> InCodePage(UINT codePage, std::wstring_view text) {
  // A best fit would write a look-alike for a character the code page lacks ("e" for "ｅ"),
  // and the default character a "?"; either means the code page cannot hold the text.
  // Conversion to UTF-8 takes neither the flag nor the check.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* const checkDefault = utf8 ? nullptr : &usedDefault;
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, checkDefault);
  if (length == 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

DialogueTexts TextsInCodePage(UINT codePage, std::wstring_view decimalPoint) {
  const DialogueTexts utf8 = Utf8Texts(InCodePage(CP_UTF8, decimalPoint).value_or("."));
  const auto convert = [codePage](const std::string& text) {
    return InCodePage(codePage, Utf16FromUtf8(text));
  };
  std::optional<DialogueTexts> converted = ConvertTexts(utf8, convert);
  const std::optional<std::string> point = convert(utf8.DecimalPoint);
  if (!converted || !point) return utf8;
  converted->DecimalPoint = *point;
  return *converted;
}

std::string HelpInCodePage(UINT codePage, HelpLanguage language) {
  const std::string utf8 = Utf8Help(language);
  return InCodePage(codePage, Utf16FromUtf8(utf8)).value_or(utf8);
}

DialogueTexts TextsForLocale() {
  return TextsInCodePage(OutputCodePage(), DecimalSeparator());
}

std::string HelpForLocale() {
  const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  return HelpInCodePage(OutputCodePage(),
                        japanese ? HelpLanguage::Japanese : HelpLanguage::English);
}

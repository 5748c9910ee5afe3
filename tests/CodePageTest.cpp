// The texts in the code pages of Windows: the bytes of code page 932, and UTF-8 wherever a
// code page cannot hold every text or the separator; and the help on its own.
#include <gtest/gtest.h>

#include <string>

#include "ConsoleText.h"
#include "Texts.h"

namespace {

TEST(CodePages, TextsAndSeparator) {
  const struct {
    const char* what;
    UINT codePage;
    const wchar_t* separator;
    std::string piHeader;
    std::string secondsClose;
    std::string point;
  } cases[] = {
      {"Japanese", 932, L".",
       "\x83\xce\x81\x81"
       "3.",
       "\x95\x62)", "."},
      {"Japanese with a comma", 932, L",",
       "\x83\xce\x81\x81"
       "3.",
       "\x95\x62)", ","},
      {"Western lacks the texts", 1252, L",", "π＝3.", "秒)", ","},
      {"UTF-8", CP_UTF8, L".", "π＝3.", "秒)", "."},
      {"a code page Windows does not know", 12345, L".", "π＝3.", "秒)", "."},
      {"Japanese lacks the Arabic separator", 932, L"\u066b", "π＝3.", "秒)", "\u066b"},
  };
  for (const auto& c : cases) {
    const DialogueTexts texts = TextsInCodePage(c.codePage, c.separator);
    EXPECT_EQ(texts.PiHeader, c.piHeader) << c.what;
    EXPECT_EQ(texts.SecondsClose, c.secondsClose) << c.what;
    EXPECT_EQ(texts.DecimalPoint, c.point) << c.what;
  }
}

// The help converts on its own: code page 932 holds the Japanese one, a code page that lacks
// it gives it in UTF-8, and the English one is the same bytes everywhere.
TEST(CodePages, Help) {
  EXPECT_EQ(HelpInCodePage(932, HelpLanguage::Japanese).substr(0, 6), "\x8e\x67\x82\xa2\x95\xfb");
  EXPECT_EQ(HelpInCodePage(1252, HelpLanguage::Japanese), Utf8Help(HelpLanguage::Japanese));
  EXPECT_EQ(HelpInCodePage(932, HelpLanguage::English), Utf8Help(HelpLanguage::English));
}

}  // namespace

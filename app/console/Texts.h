// The fixed texts of the dialogue, in the encoding that the user's terminal expects.
#pragma once

#include <string>

struct DialogueTexts {
  std::string MenuIntro;     // what the program does
  std::string MenuPi;        // menu line for 0
  std::string MenuE;         // menu line for 1
  std::string MenuSqrt;      // menu line for n
  std::string MenuPrompt;    // asks for the number
  std::string PlacesPrompt;  // asks for the places
  std::string SecondsOpen;   // before the elapsed seconds
  std::string SecondsClose;  // after them
  std::string PiHeader;
  std::string EHeader;
  std::string SqrtSign;    // before n in the header of a square root
  std::string SqrtEquals;  // between n and the integer part
  std::string InputError;
  std::string RangeError;
  std::string Overflow;
  std::string DecimalPoint;  // the separator of the elapsed seconds
  std::string Help;          // what --help prints, in the language of the locale's messages
};

enum class HelpLanguage { English, Japanese };

// The texts converted from UTF-8 into the given character set (an iconv name). A character
// set that cannot hold all of them, or that iconv does not know, gives them in UTF-8.
DialogueTexts TextsInCharset(const char* charset, const std::string& decimalPoint,
                             HelpLanguage helpLanguage = HelpLanguage::English);

// The texts for the current locale: its character set, its decimal separator, and the help in
// Japanese when its messages are Japanese.
DialogueTexts TextsForLocale();

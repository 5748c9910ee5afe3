// The fixed texts of the dialogue, in the encoding that the user's terminal expects.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

// One text of the dialogue. It has no default, so that a table of DialogueTexts that leaves a
// text out does not compile, whatever the compiler.
struct DialogueText : std::string {
  DialogueText() = delete;
  DialogueText(std::string text) : std::string(std::move(text)) {}  // NOLINT: a text is a string
  DialogueText(const char* text) : std::string(text) {}             // NOLINT: and so is a literal
};

struct DialogueTexts {
  DialogueText MenuIntro;     // what the program does
  DialogueText MenuPi;        // menu line for 0
  DialogueText MenuE;         // menu line for 1
  DialogueText MenuSqrt;      // menu line for n
  DialogueText MenuPrompt;    // asks for the number
  DialogueText PlacesPrompt;  // asks for the places
  DialogueText SecondsOpen;   // before the elapsed seconds
  DialogueText SecondsClose;  // after them
  DialogueText PiHeader;
  DialogueText EHeader;
  DialogueText SqrtSign;    // before n in the header of a square root
  DialogueText SqrtEquals;  // between n and the integer part
  DialogueText InputError;
  DialogueText RangeError;
  DialogueText Overflow;
  DialogueText DecimalPoint;  // the separator of the elapsed seconds
};

// The texts in UTF-8, the encoding of the table, with the given decimal separator.
DialogueTexts Utf8Texts(const std::string& decimalPoint);

// Converts one UTF-8 text into the target encoding, or gives nothing when the target lacks
// one of its characters.
using TextConversion = std::function<std::optional<std::string>(const std::string&)>;

// The UTF-8 texts with every fixed text converted, the decimal separator as it is; nothing
// when one of them cannot be converted.
std::optional<DialogueTexts> ConvertTexts(const DialogueTexts& utf8, const TextConversion& convert);

// The texts for the current locale and standard output: in the user's encoding where it
// holds every text, else in UTF-8, with the user's decimal separator.
DialogueTexts TextsForLocale();

enum class HelpLanguage { English, Japanese };

// What --help prints, in UTF-8.
std::string Utf8Help(HelpLanguage language);

// What --help prints for the current locale: in Japanese when the user's messages are
// Japanese, in the user's encoding where it holds the whole help, else in UTF-8. The help is
// converted on its own, so it never decides the encoding of the dialogue.
std::string HelpForLocale();

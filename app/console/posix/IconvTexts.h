// The texts in a character set that iconv knows by name.
#pragma once

#include <string>

#include "Texts.h"

// The texts converted from UTF-8 into the given character set (an iconv name). A character
// set that cannot hold all of them, or that iconv does not know, gives them in UTF-8.
DialogueTexts TextsInCharset(const char* charset, const std::string& decimalPoint,
                             HelpLanguage helpLanguage = HelpLanguage::English);

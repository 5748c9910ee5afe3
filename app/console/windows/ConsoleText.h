// How the dialogue's text meets Windows: its code pages, UTF-16 and the console.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "Texts.h"

// Whether the handle is a console, which takes text in UTF-16 whatever its code page.
bool IsConsole(HANDLE handle);

std::wstring Utf16FromUtf8(std::string_view utf8);

// The text in the code page, or nothing when the code page lacks one of its characters or
// Windows does not know the code page.
std::optional<std::string> InCodePage(UINT codePage, std::wstring_view text);

// The texts in the code page, with the given decimal separator; all in UTF-8 when the code
// page cannot hold every one of them.
DialogueTexts TextsInCodePage(UINT codePage, std::wstring_view decimalPoint);

// The help in the given language in the code page, or in UTF-8 when the code page cannot hold
// the whole of it.
std::string HelpInCodePage(UINT codePage, HelpLanguage language);

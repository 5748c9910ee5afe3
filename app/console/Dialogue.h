// The program's whole dialogue: the menu, the two prompts, one computation per question, the
// elapsed time and the digit table, until a negative menu number.
#pragma once

#include <cstdint>
#include <string>

#include "Console.h"

// Runs the dialogue and returns the exit status: 0 after a negative menu number or at the
// end of the input, 1 after an input error or a menu number above 65535. Throws OutputError
// when the output fails. No question computes more places than placesLimit, which a fuzzer
// lowers so that each of its inputs stays quick to run.
int RunDialogue(Console& console, std::uint16_t placesLimit = 65535);

// The elapsed seconds as "%0.3f" with the given decimal separator.
std::string FormatSeconds(double seconds, const std::string& decimalPoint);

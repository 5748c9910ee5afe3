// The table of how often each digit occurs among the places asked for.
#pragma once

#include <cstdint>
#include <string>

#include "Console.h"

// Two lines: the labels '0' to '9', and under each its count among the first decimalPlaces
// characters of digitString, right-aligned in five columns and followed by a blank. Each
// label and each count is flushed. Characters other than digits, and places beyond the end
// of the text, are not counted.
void ReportFrequency(std::uint16_t decimalPlaces, const std::string& digitString, Console& console);

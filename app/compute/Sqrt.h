// The square root of n, digit by digit.
#pragma once

#include <cstdint>
#include <string>

#include "DigitSink.h"

// Writes the header of √n, then the first decimalPlaces digits of √n after the point,
// truncated, each the moment it is found; digitString receives the same digits. Ends early,
// with the digits found so far, when OverflowFlag is set: on entry, or when a step outgrows
// the capacity.
void ComputeSqrt(std::uint16_t n, std::uint16_t decimalPlaces, DigitSink& out,
                 std::string& digitString);

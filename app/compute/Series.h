// π and e as sums of series, each digit printed once it has settled.
#pragma once

#include <cstdint>
#include <string>

#include "DigitSink.h"

// π by Machin's formula. Prints at least decimalPlaces digits (at most four more), unless
// OverflowFlag is or becomes set; digitString holds the expansion of the last partial sum.
void ComputePi(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString);

// e by the series 2 + 1/2! + 1/3! + ...: the same, with at most three more digits.
void ComputeE(std::uint16_t decimalPlaces, DigitSink& out, std::string& digitString);

// The decimal digits of a fraction, by long division.
#pragma once

#include <cstdint>
#include <string>

#include "TavoLongBunsuu.h"

// The first count digits of f.Num / f.Den after the point, truncated, one character each:
// for 0 <= Num < Den every step's quotient d is a digit and gives the character 48 + d. Each
// step multiplies the remainder by ten and divides it by Den in TavoLong arithmetic, so a
// step can saturate; a step whose quotient does not fit in 32 bits adds nothing, so after a
// saturation the expansion is shorter than count. Other quotients give the character
// (48 + d) mod 256.
std::string FractionDigits(const TBunsuu& f, std::int32_t count);

// The program's exit statuses, the ones its help lists.
#pragma once

// The dialogue ended (a negative menu number, or the end of the input), or --help or
// --version answered.
inline constexpr int ExitSuccess = 0;
// An answer was not a number, a menu number was above 65535, or an output failed.
inline constexpr int ExitFailure = 1;
// The command line was wrong.
inline constexpr int ExitUsage = 2;

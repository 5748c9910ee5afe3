// The program's arguments, by the GNU conventions: --help and --version answer at once; none
// at all starts the dialogue; anything else is refused.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Streams.h"

// Answers the arguments (those after the program's name) and returns the exit status: the
// help or the version written to out (0), or a line naming a wrong argument and a pointer to
// --help written to err, with nothing on out (2). Returns nothing when there are no
// arguments, for the dialogue to run. help gives the help's text; it is asked only for --help,
// so that a plain start converts no help. Throws OutputError when a write fails.
std::optional<int> AnswerArguments(const std::vector<std::string_view>& arguments,
                                   std::string_view version, std::string (*help)(), ByteSink& out,
                                   ByteSink& err);

// Tells on err of an output that failed, where err itself can still be written, and returns the
// exit status (1).
int AnswerOutputError(const OutputError& error, ByteSink& err);

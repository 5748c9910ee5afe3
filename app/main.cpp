// tavodigits: π, e or the square root of n to as many decimal places as the user asks for.
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <string_view>
#include <vector>

#include "CommandLine.h"
#include "Console.h"
#include "Dialogue.h"
#include "Streams.h"
#include "Texts.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  // A reader that has gone away shows up as a failed write, which ends the program with a
  // message instead of a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  const DialogueTexts texts = TextsForLocale();
  FdSource in(STDIN_FILENO);
  FdSink out(STDOUT_FILENO);
  FdSink err(STDERR_FILENO);
  try {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (const auto status = AnswerArguments(arguments, TAVO_VERSION, texts, out, err)) {
      return *status;
    }
    Console console(in, out, texts);
    return RunDialogue(console);
  } catch (const OutputError& error) {
    std::fprintf(stderr, "tavodigits: cannot write to standard output: %s\n", error.what());
    return 1;
  }
}

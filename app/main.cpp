// tavodigits: π, e or the square root of n to as many decimal places as the user asks for.
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdio>

#include "Console.h"
#include "Dialogue.h"
#include "Streams.h"
#include "Texts.h"

int main() {
  std::setlocale(LC_ALL, "");
  // A reader that has gone away shows up as a failed write, which ends the program with a
  // message instead of a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  const DialogueTexts texts = TextsForLocale();
  FdSource in(STDIN_FILENO);
  FdSink out(STDOUT_FILENO);
  Console console(in, out, texts);
  try {
    return RunDialogue(console);
  } catch (const OutputError& error) {
    std::fprintf(stderr, "tavodigits: cannot write to standard output: %s\n", error.what());
    return 1;
  }
}

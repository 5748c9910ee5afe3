// tavodigits: π, e or the square root of n to as many decimal places as the user asks for.
#include <cstdio>
#include <memory>

#include "Console.h"
#include "Dialogue.h"
#include "Streams.h"
#include "Texts.h"

int main() {
  PrepareProcess();
  const DialogueTexts texts = TextsForLocale();
  const std::unique_ptr<ByteSource> in = StandardInput();
  const std::unique_ptr<ByteSink> out = StandardOutput();
  Console console(*in, *out, texts);
  try {
    return RunDialogue(console);
  } catch (const OutputError& error) {
    std::fprintf(stderr, "tavodigits: cannot write to standard output: %s\n", error.what());
    return 1;
  }
}

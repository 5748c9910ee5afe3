// tavodigits: π, e or the square root of n to as many decimal places as the user asks for.
#include <memory>
#include <string_view>
#include <vector>

#include "CommandLine.h"
#include "Console.h"
#include "Dialogue.h"
#include "Streams.h"
#include "Texts.h"

int main(int argc, char** argv) {
  PrepareProcess();
  const DialogueTexts texts = TextsForLocale();
  const std::unique_ptr<ByteSource> in = StandardInput();
  const std::unique_ptr<ByteSink> out = StandardOutput();
  const std::unique_ptr<ByteSink> err = StandardError();
  try {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (const auto status = AnswerArguments(arguments, TAVO_VERSION, HelpForLocale, *out, *err)) {
      return *status;
    }
    Console console(*in, *out, texts);
    return RunDialogue(console);
  } catch (const OutputError& error) {
    return AnswerOutputError(error, *err);
  }
}

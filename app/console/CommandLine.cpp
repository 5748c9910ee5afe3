#include "CommandLine.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ExitStatus.h"
#include "Streams.h"

namespace {

constexpr std::string_view Copyright =
    "Copyright (c) 2026 the tavodigits authors\n"
    "MIT licence: free to use, change and share; there is NO WARRANTY.\n";

struct Request {
  enum Kind { Dialogue, Help, Version, Wrong } kind;
  std::string complaint;  // for Wrong: what is wrong, naming the argument
};

// Whether the argument is the long option or a shortening of it; each of our options starts
// with its own letter, so any shortening is unambiguous, as getopt_long would take it.
bool Names(std::string_view argument, std::string_view option) {
  return argument.size() > 2 && option.starts_with(argument);
}

// Options count wherever they stand, the first one deciding; "--" ends them. The program
// takes no operands.
Request Parse(const std::vector<std::string_view>& arguments) {
  std::optional<std::string_view> operand;
  bool options = true;
  for (const std::string_view argument : arguments) {
    if (options && argument == "--") {
      options = false;
    } else if (options && argument.starts_with("--")) {
      if (Names(argument, "--help")) return {Request::Help, {}};
      if (Names(argument, "--version")) return {Request::Version, {}};
      return {Request::Wrong, "unrecognized option '" + std::string(argument) + "'"};
    } else if (options && argument.size() > 1 && argument[0] == '-') {
      return {Request::Wrong, "invalid option -- '" + std::string(1, argument[1]) + "'"};
    } else if (!operand) {
      operand = argument;
    }
  }
  if (operand) return {Request::Wrong, "extra operand '" + std::string(*operand) + "'"};
  return {Request::Dialogue, {}};
}

void WriteAll(ByteSink& sink, std::string_view text) {
  sink.Write(text.data(), text.size());
  sink.Flush();
}

}  // namespace

std::optional<int> AnswerArguments(const std::vector<std::string_view>& arguments,
                                   std::string_view version, std::string (*help)(), ByteSink& out,
                                   ByteSink& err) {
  const Request request = Parse(arguments);
  switch (request.kind) {
    case Request::Dialogue:
      return std::nullopt;
    case Request::Help:
      WriteAll(out, help());
      return ExitSuccess;
    case Request::Version:
      WriteAll(out, "tavodigits " + std::string(version) + "\n" + std::string(Copyright));
      return ExitSuccess;
    case Request::Wrong:
      WriteAll(err, "tavodigits: " + request.complaint +
                        "\nTry 'tavodigits --help' for more information.\n");
      return ExitUsage;
  }
  return ExitUsage;
}

int AnswerOutputError(const OutputError& error, ByteSink& err) {
  try {
    WriteAll(err, "tavodigits: " + std::string(error.what()) + std::string(FailedOutputLineEnd));
  } catch (const OutputError&) {
    // Standard error is what failed, or fails as well: nowhere is left to tell of it.
  }
  return ExitFailure;
}

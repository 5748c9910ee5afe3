#include "Dialogue.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Console.h"
#include "ExitStatus.h"
#include "NumberReader.h"
#include "Report.h"
#include "Series.h"
#include "Sqrt.h"
#include "TavoLong.h"
#include "Texts.h"

namespace {

constexpr std::int32_t LargestSqrtChoice = 65535;

void ShowMenu(Console& console) {
  const DialogueTexts& t = console.Texts();
  console.Write("\n\n");
  console.LineEnd();
  for (const std::string* line : {&t.MenuIntro, &t.MenuPi, &t.MenuE, &t.MenuSqrt}) {
    console.Write(*line);
    console.LineEnd();
  }
  console.Write(t.MenuPrompt);
  console.Flush();
}

// The error report that ends the program: a line end, the message and a line end.
int Refuse(Console& console, const std::string& message) {
  console.LineEnd();
  console.Write(message);
  console.LineEnd();
  return ExitFailure;
}

// Runs the computation of one question and leaves its digits in digitString.
void Compute(std::int32_t menuChoice, std::uint16_t decimalPlaces, Console& console,
             std::string& digitString) {
  switch (menuChoice) {
    case 0:
      ComputePi(decimalPlaces, console, digitString);
      break;
    case 1:
      ComputeE(decimalPlaces, console, digitString);
      break;
    default:
      ComputeSqrt(static_cast<std::uint16_t>(menuChoice), decimalPlaces, console, digitString);
      break;
  }
}

}  // namespace

std::string FormatSeconds(double seconds, const std::string& decimalPoint) {
  // snprintf rounds the exact binary value as std::to_chars does, ties to even; to_chars for a
  // floating-point number would bring the floating-point environment's functions, and with
  // them the maths library, which the loader would then map at every start. The widest double
  // takes 309 digits before the point.
  char buffer[512];
  const int length = std::snprintf(buffer, sizeof buffer, "%.3f", seconds);
  std::string text(buffer, static_cast<std::size_t>(std::max(length, 0)));
  // The separator that snprintf wrote is the C library's locale's, whatever stands between the
  // integer's digits and the three decimals; the caller's takes its place. Infinity and NaN
  // have none.
  const std::size_t integerEnd = text.find_first_not_of("-0123456789");
  const bool separated = integerEnd != std::string::npos && integerEnd > 0 &&
                         text[integerEnd - 1] != '-' && text.size() >= integerEnd + 4;
  if (separated) text.replace(integerEnd, text.size() - 3 - integerEnd, decimalPoint);
  return text;
}

int RunDialogue(Console& console, std::uint16_t placesLimit) {
  const DialogueTexts& texts = console.Texts();
  std::string digitString;
  for (;;) {
    ShowMenu(console);
    const ReadResult menu = console.ReadNumber();
    if (menu.status == ReadStatus::EndOfInput) {
      console.LineEnd();
      return ExitSuccess;
    }
    if (menu.status == ReadStatus::InputError) return Refuse(console, texts.InputError);
    const std::int32_t menuChoice = menu.value;
    if (menuChoice < 0) return ExitSuccess;

    console.Write(texts.PlacesPrompt);
    console.Flush();
    const ReadResult places = console.ReadNumber();
    if (places.status == ReadStatus::EndOfInput) {
      console.LineEnd();
      return ExitSuccess;
    }
    if (places.status == ReadStatus::InputError) return Refuse(console, texts.InputError);
    // The places are taken modulo 65536: -1 asks for 65535, 65536 for none.
    const auto decimalPlaces =
        std::min(static_cast<std::uint16_t>(static_cast<std::uint32_t>(places.value)), placesLimit);
    console.LineEnd();
    if (menuChoice > LargestSqrtChoice) return Refuse(console, texts.RangeError);

    const auto start = std::chrono::steady_clock::now();
    Compute(menuChoice, decimalPlaces, console, digitString);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    console.Write(texts.SecondsOpen);
    console.Write(FormatSeconds(elapsed.count(), texts.DecimalPoint));
    console.Write(texts.SecondsClose);
    console.LineEnd();
    console.Write("\n");
    console.LineEnd();
    if (OverflowFlag) {
      console.Write(texts.Overflow);
      console.LineEnd();
    } else {
      ReportFrequency(decimalPlaces, digitString, console);
    }
  }
}

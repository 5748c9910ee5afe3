#include "Dialogue.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <string>

#include "ExitStatus.h"
#include "Report.h"
#include "Series.h"
#include "Sqrt.h"
#include "TavoLong.h"

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
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 3);
  std::string text(buffer, result.ptr);
  const std::size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalPoint);
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

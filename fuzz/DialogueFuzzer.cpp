// Arbitrary bytes as the whole standard input of the dialogue, run in process with the places
// capped at 300. The dialogue must end with status 0 or 1, and its output must be exactly the
// transcript that the reference reader's numbers call for: every text in its place, every
// printed digit a true digit of π, e or √n, and every table counting the places asked for.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "DialogueSupport.h"
#include "FuzzCheck.h"
#include "ReferenceReader.h"
#include "TavoLong.h"
#include "TrueDigits.h"

namespace {

// Each input stays quick to run.
constexpr std::uint16_t PlacesLimit = 300;

using dialoguetest::InputError;
using dialoguetest::Menu;
using dialoguetest::PlacesPrompt;
using dialoguetest::RangeError;

bool ValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int length = c < 0x80         ? 1
                       : (c >> 5) == 6  ? 2
                       : (c >> 4) == 14 ? 3
                       : (c >> 3) == 30 ? 4
                                        : 0;
    if (length == 0 || i + length > s.size()) return false;
    for (int k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    }
    i += length;
  }
  return true;
}

// Reads the output from the front, in step with what it must hold.
class Transcript {
 public:
  explicit Transcript(const std::string& text) : text_(text) {}

  void Expect(const std::string& literal, const char* what) {
    FuzzCheck(text_.compare(at_, literal.size(), literal) == 0, what);
    at_ += literal.size();
  }
  // The run of digits that starts here.
  std::string Digits() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9')
      ++at_;
    return text_.substr(start, at_ - start);
  }
  void ExpectEnd() { FuzzCheck(at_ == text_.size(), "output after the end"); }

 private:
  const std::string& text_;
  std::size_t at_ = 0;
};

const std::string& PiDigits() {
  static const std::string digits = truedigits::Pi(PlacesLimit + 10);
  return digits;
}

const std::string& EDigits() {
  static const std::string digits = truedigits::E(PlacesLimit + 10);
  return digits;
}

// Checks one question's output after the empty line: the header, the digits and the table.
void CheckQuestion(Transcript& out, std::int32_t choice, unsigned places) {
  std::string truth;
  std::size_t mostExtra = 0;
  if (choice == 0) {
    out.Expect("π＝3.\r\n", "the header of π");
    truth = PiDigits();
    mostExtra = 4;
  } else if (choice == 1) {
    out.Expect("ｅ＝2.\r\n", "the header of e");
    truth = EDigits();
    mostExtra = 3;
  } else {
    const unsigned root = truedigits::IntegerRoot(static_cast<unsigned>(choice));
    out.Expect(dialoguetest::SqrtHeader(std::to_string(choice), std::to_string(root)),
               "the header of a root");
    truth = truedigits::Sqrt(static_cast<unsigned long>(choice), places);
  }
  const std::string printed = out.Digits();
  FuzzCheck(printed.size() >= places && printed.size() <= places + mostExtra,
            "the number of digits printed");
  FuzzCheck(truth.compare(0, printed.size(), printed) == 0, "a printed digit is not a true digit");
  out.Expect(dialoguetest::Tail(truth.substr(0, places)), "the time, the empty line or the table");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const dialoguetest::DialogueRun run = dialoguetest::RunInProcess(input, PlacesLimit);
  FuzzCheck(ValidUtf8(run.output), "the output is not valid UTF-8");
  const std::string output = dialoguetest::MaskSeconds(run.output);

  const std::vector<referencereader::Read> reads = referencereader::Reads(input);
  std::size_t next = 0;
  Transcript out(output);
  int expectedStatus = 0;
  for (;;) {
    out.Expect(Menu, "the menu");
    const referencereader::Read menu = reads[next++];
    if (menu.kind == referencereader::Kind::End) {
      out.Expect("\r\n", "the line end at the end of the input");
      break;
    }
    if (menu.kind == referencereader::Kind::Error) {
      out.Expect(InputError, "the input error");
      expectedStatus = 1;
      break;
    }
    if (menu.value < 0) break;
    out.Expect(PlacesPrompt, "the places prompt");
    const referencereader::Read places = reads[next++];
    if (places.kind == referencereader::Kind::End) {
      out.Expect("\r\n", "the line end at the end of the input");
      break;
    }
    if (places.kind == referencereader::Kind::Error) {
      out.Expect(InputError, "the input error");
      expectedStatus = 1;
      break;
    }
    out.Expect("\r\n", "the empty line after the places");
    if (menu.value > 65535) {
      out.Expect(RangeError, "the range error");
      expectedStatus = 1;
      break;
    }
    const unsigned asked = static_cast<std::uint16_t>(static_cast<std::uint32_t>(places.value));
    CheckQuestion(out, menu.value, asked < PlacesLimit ? asked : PlacesLimit);
  }
  out.ExpectEnd();
  FuzzCheck(run.status == expectedStatus, "the exit status");
  FuzzCheck(!OverflowFlag, "an overflow below the capacity");
  return 0;
}

// Arbitrary bytes into the number reader and the line discard, read as the prompts read them:
// every value, error and end of input must be the reference reader's.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "MemoryStreams.h"
#include "NumberReader.h"
#include "ReferenceReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::vector<referencereader::Read> expected = referencereader::Reads(input);
  StringSource source(input);
  NumberReader reader(source);
  for (const referencereader::Read& want : expected) {
    const ReadResult got = reader.ReadInteger();
    reader.DiscardLine();
    switch (want.kind) {
      case referencereader::Kind::Number:
        FuzzCheck(got.status == ReadStatus::Number, "a number was read as something else");
        FuzzCheck(got.value == want.value, "a number was read with another value");
        break;
      case referencereader::Kind::Error:
        FuzzCheck(got.status == ReadStatus::InputError, "an input error was missed");
        break;
      case referencereader::Kind::End:
        FuzzCheck(got.status == ReadStatus::EndOfInput, "the end of the input was missed");
        break;
    }
  }
  return 0;
}

// The example sessions that the README and the manual pages show are what the program prints:
// each is run as its page shows it, and the page's transcript is compared with the program's,
// the seconds masked. A line of a manual page set in italics stands for output left out. The
// line ends that each page quotes are the bytes that the program writes, and the places that
// the pages and the help state are the program's capacities.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "Capacity.h"
#include "DialogueSupport.h"
#include "ProgramSupport.h"
#include "Sqrt.h"
#include "TavoLong.h"
#include "Texts.h"

namespace {

// A session as a page shows it: the input that its printf command feeds, and what follows the
// command, split where the page leaves output out.
struct Example {
  std::string input;
  std::vector<std::string> pieces;  // shown text; output left out between each two
  bool showsTheEnd = false;         // whether the page shows all of the session to its end
};

struct Page {
  const char* path;
  std::string indent;  // of its example
  std::string end;     // the line that ends its example, if any
  bool troff;          // whether it is a manual page, with troff's escapes
};

const Page Pages[] = {{"README.md", "    ", "\n", false},
                      {"man/tavodigits.1", "", ".EE", true},
                      {"man/ja/tavodigits.1", "", ".EE", true}};

// The file at path in the source tree.
std::string SourceFile(const std::string& path) {
  std::ifstream file(std::string(TAVODIGITS_SOURCE_DIR) + "/" + path);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Replaces each from in the text by to, and gives how many there were.
std::size_t ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  std::size_t count = 0;
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
    ++count;
  }
  return count;
}

// The troff escapes that the manual pages use, and what they stand for.
std::string Unescape(std::string line) {
  const std::pair<std::string, std::string> escapes[] = {
      {"\\(*p", "π"}, {"\\[uFF1D]", "＝"}, {"\\[u79D2]", "秒"}, {"\\-", "-"}, {"\\e", "\\"}};
  for (const auto& [escape, text] : escapes)
    ReplaceAll(line, escape, text);
  return line;
}

// Trailing blanks dropped from every line, as a terminal shows them, and the seconds masked.
std::string AsShown(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\r\n") == 0) continue;
    if (text[i] == '\n') {
      while (shown.ends_with(' '))
        shown.pop_back();
    }
    shown += text[i];
  }
  return dialoguetest::MaskSeconds(shown);
}

// The session after "$ printf '...' | tavodigits" in the file: its other lines, less the given
// indent, up to the first line that is not indented so (an empty line is), or up to the line
// that ends an example. printf's only escape there is \n.
Example ExampleIn(const std::string& path, const std::string& indent, const std::string& end,
                  bool troff) {
  std::ifstream file(std::string(TAVODIGITS_SOURCE_DIR) + "/" + path);
  const auto text = [troff](const std::string& line) { return troff ? Unescape(line) : line; };
  const std::string command = indent + "$ printf '";
  Example example;
  std::string line;
  while (std::getline(file, line) && !text(line).starts_with(command)) {
  }
  const std::string first = text(line);
  for (std::size_t i = command.size(); i < first.find('\'', command.size()); ++i) {
    const bool newline = first.compare(i, 2, "\\n") == 0;
    example.input += newline ? '\n' : first[i];
    i += newline;
  }
  std::string piece;
  while (std::getline(file, line) && line != end && (line.empty() || line.starts_with(indent))) {
    if (troff && line.starts_with(".I ")) {
      example.pieces.push_back(AsShown(piece));
      piece.clear();
    } else {
      piece += text(line.substr(std::min(indent.size(), line.size()))) + "\n";
    }
  }
  example.showsTheEnd = piece.ends_with("$ echo $?\n0\n");
  while (piece.ends_with("\n"))
    piece.pop_back();
  example.pieces.push_back(AsShown(piece));
  return example;
}

// Whether the text is the pieces in turn, with anything between each two; the last piece ends
// the text when the page shows the session to its end.
bool Matches(const std::string& text, const Example& example) {
  std::size_t at = 0;
  for (std::size_t k = 0; k < example.pieces.size(); ++k) {
    const std::string& piece = example.pieces[k];
    std::size_t found = text.find(piece, at);
    if (k == 0 && found != 0) return false;
    if (k > 0 && k + 1 == example.pieces.size() && example.showsTheEnd)
      found = text.ends_with(piece) ? text.size() - piece.size() : std::string::npos;
    if (found == std::string::npos || found < at) return false;
    at = found + piece.size();
  }
  return !example.showsTheEnd || at == text.size();
}

TEST(Documents, ExampleSessionsAreWhatTheProgramPrints) {
  for (const Page& page : Pages) {
    const Example example = ExampleIn(page.path, page.indent, page.end, page.troff);
    ASSERT_FALSE(example.input.empty()) << page.path << " shows no session";
    programtest::Options options;
    options.environment = {"LC_ALL=C.UTF-8"};
    const programtest::Outcome run = programtest::Run(programtest::Program, example.input, options);
    // The shell's prompt follows the program's last prompt on its line.
    const std::string session = AsShown(run.out) + "$ echo $?\n" + std::to_string(run.status);
    std::string shown;
    for (const std::string& piece : example.pieces)
      shown += piece + "\n(left out)\n";
    EXPECT_TRUE(Matches(session, example)) << page.path << " shows\n"
                                           << shown << "\nwhere the program prints\n"
                                           << session;
  }
}

// The byte sequences with a carriage return that the page quotes as \r and \n, in order:
// its inputs have none.
std::vector<std::string> QuotedLineEnds(const Page& page) {
  std::ifstream file(std::string(TAVODIGITS_SOURCE_DIR) + "/" + page.path);
  std::vector<std::string> quoted;
  std::string line;
  while (std::getline(file, line)) {
    if (page.troff) line = Unescape(line);
    std::string bytes;
    for (std::size_t i = 0; i <= line.size(); ++i) {
      if (line.compare(i, 2, "\\r") == 0 || line.compare(i, 2, "\\n") == 0) {
        bytes += line[++i] == 'r' ? '\r' : '\n';
      } else {
        if (bytes.find('\r') != std::string::npos) quoted.push_back(bytes);
        bytes.clear();
      }
    }
  }
  return quoted;
}

// Each page quotes three sequences: the line end, what the program writes before each menu
// (two in this session) and what it writes after the time taken (one). With the menus' taken
// out and the time's made a line end, the line end is all that is left of the carriage
// returns and line feeds.
TEST(Documents, QuotedLineEndsAreWhatTheProgramWrites) {
  const DialogueTexts texts = Utf8Texts(".");
  programtest::Options options;
  options.environment = {"LC_ALL=C.UTF-8"};
  const std::string out = programtest::Run(programtest::Program, "2\n5\n-1\n", options).out;
  for (const Page& page : Pages) {
    const std::vector<std::string> quoted = QuotedLineEnds(page);
    ASSERT_EQ(quoted.size(), 3u) << page.path;
    const std::string &lineEnd = quoted[0], &beforeMenu = quoted[1], &afterTime = quoted[2];
    std::string rest = out;
    EXPECT_EQ(ReplaceAll(rest, beforeMenu + texts.MenuIntro, texts.MenuIntro), 2u) << page.path;
    EXPECT_EQ(ReplaceAll(rest, texts.SecondsClose + afterTime, texts.SecondsClose + lineEnd), 1u)
        << page.path;
    ReplaceAll(rest, lineEnd, "");
    EXPECT_EQ(rest.find_first_of("\r\n"), std::string::npos) << page.path << ": " << rest;
  }
}

// The places as the texts write them: thousands set off by a comma from 10,000 on.
std::string Places(std::int32_t places) {
  std::string text = std::to_string(places);
  if (places >= 10000) text.insert(text.size() - 3, ",");
  return text;
}

// The numbers of places that a text states, in order: "up to N" in English, "N 桁まで" in
// Japanese.
std::vector<std::string> StatedPlaces(const std::string& text) {
  const std::string english = "up to ", japanese = " 桁まで";
  const auto isPlaces = [](char c) { return (c >= '0' && c <= '9') || c == ','; };
  std::vector<std::string> stated;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text.compare(at, english.size(), english) == 0) {
      std::size_t end = at + english.size();
      while (end < text.size() && isPlaces(text[end]))
        ++end;
      // A comma after the number ends the phrase.
      while (end > at + english.size() && text[end - 1] == ',')
        --end;
      if (end > at + english.size())
        stated.push_back(text.substr(at + english.size(), end - at - english.size()));
    } else if (text.compare(at, japanese.size(), japanese) == 0) {
      std::size_t start = at;
      while (start > 0 && isPlaces(text[start - 1]))
        --start;
      if (start < at) stated.push_back(text.substr(start, at - start));
    }
  }
  return stated;
}

// The places of √n that the program completes before the overflow.
std::int32_t SqrtPlaces(std::uint16_t n) {
  OverflowFlag = false;
  dialoguetest::RecordingSink sink;
  std::string digitString;
  ComputeSqrt(n, 10040, sink, digitString);
  EXPECT_TRUE(OverflowFlag) << n;
  return static_cast<std::int32_t>(digitString.size());
}

// The README, both manual pages, the help in both languages and the packages' description state
// first the places that π, e and every √n complete: the program's own capacities.
TEST(Documents, StatedCapacitiesAreTheProgramsOwn) {
  const std::vector<std::string> capacities = {Places(MachinPlacesWithinCapacity),
                                               Places(FactorialPlacesWithinCapacity),
                                               Places(SqrtPlacesWithinCapacity)};
  std::vector<std::pair<std::string, std::string>> texts;
  for (const char* path : {Pages[0].path, Pages[1].path, Pages[2].path, "cmake/Packaging.cmake"})
    texts.emplace_back(path, SourceFile(path));
  for (const char* messages : {"LC_MESSAGES=C", "LC_MESSAGES=ja_JP.SJIS"}) {
    programtest::Options options;
    options.environment = {"LANG=C.UTF-8", messages, "LOCPATH=" + programtest::LocaleDir};
    options.arguments = {"--help"};
    texts.emplace_back(messages, programtest::Run(programtest::Program, "", options).out);
  }
  for (const auto& [what, text] : texts) {
    std::vector<std::string> stated = StatedPlaces(text);
    ASSERT_GE(stated.size(), capacities.size()) << what;
    stated.resize(capacities.size());
    EXPECT_EQ(stated, capacities) << what;
  }
}

// The places that √2 completes, a few more than every √n: what the README and both manual pages
// say, and where the program prints the overflow.
TEST(Documents, StatedPlacesOfTheRootOfTwoAreTheProgramsOwn) {
  const std::string places = Places(SqrtPlaces(2));
  // Each page's number, just before or just after its phrase.
  const struct {
    const char* path;
    std::string phrase;
    bool numberFirst;
  } statements[] = {{Pages[0].path, " for √2)", true},
                    {Pages[1].path, " for 2)", true},
                    {Pages[2].path, "2 なら ", false}};
  for (const auto& s : statements) {
    const std::string text = SourceFile(s.path);
    const std::size_t at = text.find(s.phrase);
    ASSERT_NE(at, std::string::npos) << s.path;
    const std::size_t start = s.numberFirst ? at - places.size() : at + s.phrase.size();
    EXPECT_EQ(text.substr(start, places.size()), places) << s.path;
  }
}

// The oldest compilers that the README names are those below which CMake stops.
TEST(Documents, OldestCompilersAreTheBuildsOwn) {
  const std::string readme = SourceFile("README.md");
  EXPECT_NE(readme.find("from " TAVODIGITS_OLDEST_COMPILERS " with CMake"), std::string::npos);
}

}  // namespace

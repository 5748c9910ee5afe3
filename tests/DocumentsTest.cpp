// The example sessions that the README and the manual pages show are what the program prints:
// each is run as its page shows it, and the page's transcript is compared with the program's,
// the seconds masked. A line of a manual page set in italics stands for output left out.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DialogueSupport.h"
#include "ProgramSupport.h"

namespace {

const std::string Program = TAVODIGITS_PROGRAM;
const std::string SourceDir = TAVODIGITS_SOURCE_DIR;

// A session as a page shows it: the input that its printf command feeds, and what follows the
// command, split where the page leaves output out.
struct Example {
  std::string input;
  std::vector<std::string> pieces;  // shown text; output left out between each two
  bool showsTheEnd = false;         // whether the page shows all of the session to its end
};

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream file(SourceDir + "/" + path);
  EXPECT_TRUE(file) << path;
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);)
    lines.push_back(line);
  return lines;
}

std::string Utf8(unsigned code) {
  std::string s;
  if (code < 0x80) return s += static_cast<char>(code);
  if (code < 0x800) {
    s += static_cast<char>(0xC0 | code >> 6);
  } else {
    s += static_cast<char>(0xE0 | code >> 12);
    s += static_cast<char>(0x80 | (code >> 6 & 0x3F));
  }
  return s += static_cast<char>(0x80 | (code & 0x3F));
}

// The characters that the troff escapes of the pages' examples stand for.
std::string Unescape(const std::string& line) {
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\\' || i + 1 == line.size()) {
      text += line[i];
    } else if (line.compare(i, 4, "\\(*p") == 0) {
      text += "π";
      i += 3;
    } else if (line.compare(i, 3, "\\[u") == 0) {
      const std::size_t close = line.find(']', i);
      text +=
          Utf8(static_cast<unsigned>(std::stoul(line.substr(i + 3, close - i - 3), nullptr, 16)));
      i = close;
    } else {
      text += line[++i] == 'e' ? '\\' : line[i];  // \e is a backslash, \- a minus
    }
  }
  return text;
}

// What printf makes of its format: these examples use no escape but \n.
std::string Printf(const std::string& format) {
  std::string text;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const bool newline = format.compare(i, 2, "\\n") == 0;
    text += newline ? '\n' : format[i];
    i += newline;
  }
  return text;
}

// Trailing blanks dropped from every line, as a terminal shows them, and the seconds masked.
std::string AsShown(const std::string& text) {
  std::string shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n') {
      while (!shown.empty() && shown.back() == ' ')
        shown.pop_back();
    }
    shown += text[i];
  }
  return dialoguetest::MaskSeconds(shown);
}

// The session after "$ printf '...' | tavodigits" among the lines: its other lines, less the
// given indent, up to the first line that is not indented so (an empty line is), or up to the
// line that ends an example.
Example ExampleIn(const std::vector<std::string>& lines, const std::string& indent,
                  const std::string& end, bool troff) {
  const std::string command = indent + "$ printf '";
  const auto text = [troff](const std::string& line) { return troff ? Unescape(line) : line; };
  Example example;
  std::size_t i = 0;
  while (i < lines.size() && text(lines[i]).rfind(command, 0) != 0)
    ++i;
  if (i == lines.size()) return example;
  const std::string first = text(lines[i]);
  example.input =
      Printf(first.substr(command.size(), first.find('\'', command.size()) - command.size()));
  std::string piece;
  for (++i; i < lines.size() && lines[i] != end; ++i) {
    if (!lines[i].empty() && lines[i].rfind(indent, 0) != 0) break;
    if (troff && lines[i].rfind(".I ", 0) == 0) {
      example.pieces.push_back(std::move(piece));
      piece.clear();
    } else {
      piece += text(lines[i].substr(std::min(indent.size(), lines[i].size()))) + "\n";
    }
  }
  example.showsTheEnd = piece.ends_with("$ echo $?\n0\n");
  while (piece.ends_with("\n"))
    piece.pop_back();
  example.pieces.push_back(piece);
  for (std::string& shown : example.pieces)
    shown = AsShown(shown);
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
  struct Page {
    const char* path;
    std::string indent;
    std::string end;  // the line that ends its example, if any
    bool troff;       // whether it is a manual page, with troff's escapes
  };
  for (const Page& page :
       {Page{"README.md", "    ", "\n", false}, Page{"man/tavodigits.1", "", ".EE", true},
        Page{"man/ja/tavodigits.1", "", ".EE", true}}) {
    const Example example = ExampleIn(Lines(page.path), page.indent, page.end, page.troff);
    ASSERT_FALSE(example.input.empty()) << page.path << " shows no session";
    programtest::Options options;
    options.environment = {"LC_ALL=C.UTF-8"};
    const programtest::Outcome run = programtest::Run(Program, example.input, options);
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

}  // namespace

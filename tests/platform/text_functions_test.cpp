// The platform's text and path functions on the cases of tests/fixtures/platform/text_functions.txt.
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/detached_process.h"
#include "platform/text_encoding.h"
#include "platform/text_util.h"
#include "platform/win_path.h"
#include "support/case_file.h"
#include "support/encoded_text.h"

namespace tarnwick {
namespace {

using testing::Unescape;
using Args = std::vector<std::string>;

std::string Show(const std::optional<std::string>& text) { return text.value_or("(none)"); }
std::string Show(bool answer) { return answer ? "yes" : "no"; }

// The words in brackets, or the reason the line is refused.
std::string Words(const std::string& commandLine) {
  std::string error, shown;
  std::optional<std::vector<std::string>> words = SplitCommandLine(commandLine, error);
  for (const std::string& word : words.value_or(std::vector<std::string>{})) shown += "[" + word + "]";
  return words ? shown : "refused: " + error;
}

// The code page detected from a UTF-8 line followed by `text` written in `codePage`.
std::string DetectedCodePage(const std::string& text, const std::string& codePage) {
  CodePageDetector detector;
  detector.Feed("// \xC3\xBC UTF-8 lines are passed over \xE2\x82\xAC\r\n");
  detector.Feed(testing::Encode(text, codePage.c_str()));
  return detector.Result();
}

struct Function {
  size_t Arity;
  std::function<std::string(const Args&)> Call;
};

const std::map<std::string, Function>& Functions() {
  static const std::map<std::string, Function> functions = {
      {"ExtractFileName", {1, [](const Args& a) { return ExtractFileName(a[0]); }}},
      {"ExtractFilePath", {1, [](const Args& a) { return ExtractFilePath(a[0]); }}},
      {"ExtractFileExt", {1, [](const Args& a) { return ExtractFileExt(a[0]); }}},
      {"ChangeFileExt", {2, [](const Args& a) { return ChangeFileExt(a[0], a[1]); }}},
      {"HasDrivePart", {1, [](const Args& a) { return Show(HasDrivePart(a[0])); }}},
      {"AppendExtensionIfMissing", {2, [](const Args& a) { return AppendExtensionIfMissing(a[0], a[1]); }}},
      {"WildcardMatch", {2, [](const Args& a) { return Show(WildcardMatch(a[0], a[1])); }}},
      {"TrimBlanks", {1, [](const Args& a) { return std::string(TrimBlanks(a[0])); }}},
      {"IsValidUtf8", {1, [](const Args& a) { return Show(IsValidUtf8(a[0])); }}},
      {"CanonicalCodePage", {1, [](const Args& a) { return Show(CanonicalCodePage(a[0])); }}},
      {"Decode", {2, [](const Args& a) { return TextDecoder(a[0]).ToUtf8(a[1]); }}},
      {"DecodeUtf16File", {1, [](const Args& a) { return Show(DecodeUtf16File(a[0])); }}},
      {"DetectCodePage", {2, [](const Args& a) { return DetectedCodePage(a[0], a[1]); }}},
      {"WindowsCodePageOf", {1, [](const Args& a) { return Show(WindowsCodePageOf(a[0])); }}},
      {"SplitCommandLine", {1, [](const Args& a) { return Words(a[0]); }}},
  };
  return functions;
}

// "a | b | " -> {"a", "b", ""}; an editor may have taken the blank after the last bar.
std::vector<std::string> Fields(std::string line) {
  if (line.ends_with(" |")) line += ' ';
  std::vector<std::string> fields;
  for (size_t start = 0;;) {
    const size_t bar = line.find(" | ", start);
    fields.push_back(Unescape(line.substr(start, bar - start)));
    if (bar == std::string::npos) return fields;
    start = bar + 3;
  }
}

TEST(TextFunctions, GiveTheExpectedResultOfEachCase) {
  std::ifstream in(TARNWICK_FIXTURES_DIR "/platform/text_functions.txt");
  int number = 0, cases = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    SCOPED_TRACE("text_functions.txt:" + std::to_string(number) + ": " + line);
    const std::vector<std::string> fields = Fields(line);
    auto function = Functions().find(fields[0]);
    ASSERT_NE(function, Functions().end());
    ASSERT_EQ(fields.size(), function->second.Arity + 2);
    EXPECT_EQ(function->second.Call(Args(fields.begin() + 1, fields.end() - 1)), fields.back());
    ++cases;
  }
  EXPECT_GT(cases, 80) << "the case file was not read whole";
}

}  // namespace
}  // namespace tarnwick

#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/temp_folder.h"

namespace tarnwick::testing {

/// The bytes a text of a case file stands for: \r \n \t \\ and \xHH are escapes; any other
/// backslash stands for itself, so Windows paths need no doubling.
inline std::string Unescape(std::string_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t simple = i + 1 < text.size() ? std::string_view("rnt\\").find(text[i + 1]) : text.npos;
    const std::string_view hex = text.substr(std::min(i + 2, text.size()), 2);
    if (text[i] == '\\' && simple != text.npos) {
      bytes += "\r\n\t\\"[simple];
      ++i;
    } else if (text.substr(i, 2) == "\\x" && hex.size() == 2 &&
               hex.find_first_not_of("0123456789ABCDEFabcdef") == hex.npos) {
      bytes += static_cast<char>(std::stoi(std::string(hex), nullptr, 16));
      i += 3;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

/// One case of a case file under tests/fixtures/, which reads:
///
///   # a comment
///   == the name of the case
///   key: value        (the rest of the line after ": ", blanks kept)
///   key:              (a value of several lines follows, each written "| line")
///   | line
///
/// Every value is unescaped (`Unescape`). A key may come more than once; its values are kept in
/// order.
struct TestCase {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Fields;

  bool Has(std::string_view key) const { return !Values(key).empty(); }
  /// The first value of `key`, empty when there is none; the lines of a block joined by "\n".
  std::string Value(std::string_view key) const {
    const std::vector<std::string> values = Values(key);
    return values.empty() ? "" : values.front();
  }
  /// Every value of `key`, in order.
  std::vector<std::string> Values(std::string_view key) const {
    std::vector<std::string> values;
    for (const auto& [name, value] : Fields)
      if (name == key) values.push_back(value);
    return values;
  }
};

/// The cases of tests/fixtures/`path` ("analysis/tokens.cases"); a malformed or missing file fails
/// the test.
inline std::vector<TestCase> ReadCaseFile(std::string_view path) {
  std::istringstream lines(ReadFileText(std::string(TARNWICK_FIXTURES_DIR) + "/" + std::string(path)));
  std::vector<TestCase> cases;
  int blockLines = -1;  // the lines of the open block value, -1 when none is open
  int lineNumber = 0;
  for (std::string line; std::getline(lines, line);) {
    ++lineNumber;
    const size_t colon = line.find(':');
    const std::string key = line.substr(0, colon);
    const bool isKey = colon != line.npos && !key.empty() &&
                       key.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") == key.npos &&
                       (colon + 1 == line.size() || line[colon + 1] == ' ');
    if (line.empty() || line.starts_with('#')) continue;
    if (line.starts_with("== ")) {
      cases.push_back({line.substr(3), {}});
      blockLines = -1;
    } else if (line.starts_with('|') && blockLines >= 0) {
      std::string& value = cases.back().Fields.back().second;
      value += (blockLines++ > 0 ? "\n" : "") + Unescape(line.substr(std::min<size_t>(2, line.size())));
    } else if (!cases.empty() && isKey) {
      cases.back().Fields.push_back({key, Unescape(line.substr(std::min(colon + 2, line.size())))});
      blockLines = colon + 1 == line.size() ? 0 : -1;
    } else {
      ADD_FAILURE() << path << ":" << lineNumber << ": not a case line: " << line;
    }
  }
  EXPECT_FALSE(cases.empty()) << "no cases in " << path;
  return cases;
}

}  // namespace tarnwick::testing

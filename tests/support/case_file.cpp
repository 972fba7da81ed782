#include "support/case_file.h"

#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace tarnwick::testing {
namespace {

bool IsKey(std::string_view word) {
  return !word.empty() && word.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") == word.npos;
}

}  // namespace

std::string Unescape(std::string_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    const size_t simple = std::string_view("rnt\\").find(next);
    const std::string_view hex = text.substr(std::min(i + 2, text.size()), 2);
    if (text[i] != '\\') {
      bytes += text[i];
    } else if (simple != std::string_view::npos) {
      bytes += "\r\n\t\\"[simple];
      ++i;
    } else if (next == 'x' && hex.size() == 2 && hex.find_first_not_of("0123456789ABCDEFabcdef") == hex.npos) {
      bytes += static_cast<char>(std::stoi(std::string(hex), nullptr, 16));
      i += 3;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

bool TestCase::Has(std::string_view key) const { return !Values(key).empty(); }

std::string TestCase::Value(std::string_view key) const {
  const std::vector<std::string> values = Values(key);
  return values.empty() ? "" : values.front();
}

std::vector<std::string> TestCase::Values(std::string_view key) const {
  std::vector<std::string> values;
  for (const auto& [name, value] : Fields) {
    if (name == key) values.push_back(value);
  }
  return values;
}

std::vector<TestCase> ReadCaseFile(std::string_view path) {
  std::istringstream lines(ReadFileText(std::string(TARNWICK_FIXTURES_DIR) + "/" + std::string(path)));
  std::vector<TestCase> cases;
  int blockLines = -1;  // the lines of the open block value, -1 when none is open
  int lineNumber = 0;
  for (std::string line; std::getline(lines, line);) {
    const std::string where = std::string(path) + ":" + std::to_string(++lineNumber);
    const size_t colon = line.find(':');
    if (line.empty() || line.starts_with('#')) continue;
    if (line.starts_with("== ")) {
      cases.push_back({line.substr(3), {}});
      blockLines = -1;
    } else if (line.starts_with('|') && blockLines >= 0) {
      std::string& value = cases.back().Fields.back().second;
      value += (blockLines++ > 0 ? "\n" : "") + Unescape(line.substr(std::min<size_t>(2, line.size())));
    } else if (!cases.empty() && colon != line.npos && IsKey(line.substr(0, colon)) &&
               (colon + 1 == line.size() || line[colon + 1] == ' ')) {
      const std::string value = line.substr(std::min(colon + 2, line.size()));
      cases.back().Fields.push_back({line.substr(0, colon), Unescape(value)});
      blockLines = colon + 1 == line.size() ? 0 : -1;
    } else {
      ADD_FAILURE() << where << ": not a case line: " << line;
    }
  }
  EXPECT_FALSE(cases.empty()) << "no cases in " << path;
  return cases;
}

}  // namespace tarnwick::testing

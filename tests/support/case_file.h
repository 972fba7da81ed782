#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick::testing {

/// The bytes a text of a case file stands for: \r \n \t \\ and \xHH are escapes; any other
/// backslash stands for itself, so Windows paths need no doubling.
std::string Unescape(std::string_view text);

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

  bool Has(std::string_view key) const;
  /// The first value of `key`, empty when there is none; the lines of a block joined by "\n".
  std::string Value(std::string_view key) const;
  /// Every value of `key`, in order.
  std::vector<std::string> Values(std::string_view key) const;
};

/// The cases of tests/fixtures/`path` ("analysis/tokens.cases"); a malformed or missing file fails
/// the test.
std::vector<TestCase> ReadCaseFile(std::string_view path);

}  // namespace tarnwick::testing

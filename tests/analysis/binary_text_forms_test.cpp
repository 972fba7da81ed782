// A form stored in binary gives the same object tree as its text source, apart from the digits of
// float values and the layout of strings, which the text source writes freely.
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "analysis/form_analysis.h"
#include "analysis/form_file_reader.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::ReadFileText;

// The tree as indented text, one node per line with its property lines; float digits and the
// spelling of string literals masked.
void Flatten(const ObjectForest& forest, int depth, std::string& out) {
  static const std::regex number("-?[0-9]+\\.[0-9]+(E[-+]?[0-9]+)?[scd]?");
  for (const auto& node : forest) {
    out += std::string(2 * depth, ' ') + node->Label + "\n";
    for (const std::string& line : node->Data->Properties) {
      if (line.find('\'') != std::string::npos || line.find('#') != std::string::npos) continue;
      out += std::string(2 * depth + 1, ' ') + std::regex_replace(line, number, "<float>") + "\n";
    }
    Flatten(node->Children, depth + 1, out);
  }
}

class BinaryAndTextForms : public ::testing::TestWithParam<std::string> {};

TEST_P(BinaryAndTextForms, GiveTheSameTree) {
  std::string demo = TARNWICK_SOURCE_DIR "/examples/Demo/";
  FormConversion binary = ConvertFormFile(ReadFileText(demo + GetParam() + ".dfm"));
  ASSERT_TRUE(binary.Ok) << binary.Error;
  ObjectForest fromBinary, fromText;
  ASSERT_TRUE(ParseFormText(binary.Text, fromBinary));
  ASSERT_TRUE(ParseFormText(ReadFileText(demo + "form-sources/" + GetParam() + ".txt"), fromText));
  std::string binaryTree, textTree;
  Flatten(fromBinary, 0, binaryTree);
  Flatten(fromText, 0, textTree);
  EXPECT_EQ(binaryTree, textTree);
  EXPECT_GT(binaryTree.size(), 200u);
}

INSTANTIATE_TEST_SUITE_P(Demo, BinaryAndTextForms, ::testing::Values("MainUnit", "AboutUnit", "DataMod"));

}  // namespace
}  // namespace tarnwick

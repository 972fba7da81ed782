#include "analysis/form_file_reader.h"

#include <filesystem>
#include <iomanip>
#include <sstream>

#include <gtest/gtest.h>

#include "support/case_file.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

const fs::path kFormsDir = fs::path(TARNWICK_FIXTURES_DIR) / "forms";

// A string of a component stream: its length in one byte, then its bytes.
std::string Short(std::string_view text) { return static_cast<char>(text.size()) + std::string(text); }
const std::string kHeader("\xFF\x0A\x00TFORM1\x00\x30\x10\x00\x00\x00\x00", 16);

// A binary form file whose root Form1: TForm1 has the given property and child bytes.
std::string Form(std::string_view properties, std::string_view children = "") {
  return kHeader + "TPF0" + Short("TForm1") + Short("Form1") + std::string(properties) + '\0' +
         std::string(children) + '\0';
}

// The text of the value of the single property P, or the failure text.
std::string ValueText(std::string_view value) {
  const FormConversion result = ConvertFormFile(Form(Short("P") + std::string(value)));
  if (!result.Ok) return result.Error;
  const std::string prefix = "object Form1: TForm1\r\n  P = ";
  const std::string suffix = "\r\nend\r\n";
  if (!result.Text.starts_with(prefix) || !result.Text.ends_with(suffix)) return "unexpected: " + result.Text;
  return result.Text.substr(prefix.size(), result.Text.size() - prefix.size() - suffix.size());
}

// Every binary fixture gives its expected text, and every truncation of it fails cleanly.
TEST(FormFileReaderGolden, EveryBinaryFixtureAndEveryTruncationOfIt) {
  size_t fixtures = 0;
  for (const auto& entry : fs::directory_iterator(kFormsDir)) {
    if (entry.path().extension() != ".dfm") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++fixtures;
    const std::string bytes = testing::ReadFileText(entry.path());
    const FormConversion result = ConvertFormFile(bytes);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.Text, testing::ReadFileText(fs::path(entry.path()).replace_extension(".expected.txt")));
    for (size_t length = 0; length < bytes.size(); ++length) {
      const FormConversion result = ConvertFormFile(std::string_view(bytes).substr(0, length));
      ASSERT_FALSE(result.Ok) << "length " << length;
      ASSERT_TRUE(result.Error.starts_with("Invalid stream format")) << result.Error;
      ASSERT_TRUE(result.Text.empty());
    }
  }
  EXPECT_GE(fixtures, 7u);
}

TEST(FormFileReaderValues, EveryValueTypeAndItsFailures) {
  for (const testing::TestCase& c : testing::ReadCaseFile("analysis/form_values.cases")) {
    SCOPED_TRACE(c.Name);
    std::string bytes;
    std::istringstream hex(c.Value("bytes"));
    for (std::string pair; hex >> std::setw(2) >> pair;) bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
    EXPECT_EQ(ValueText(bytes), c.Value("text"));
  }
}

TEST(FormFileReaderDamage, DeepNestingAndRunawayOutputAreRefused) {
  EXPECT_TRUE(ConvertFormFile(Form(Short("P") + std::string(998, '\x01') + std::string(998, '\0'))).Ok);
  const std::string tooDeep = "Invalid stream format: nesting too deep";
  EXPECT_EQ(ValueText(std::string(1000, '\x01') + std::string(1000, '\0')), tooDeep);
  EXPECT_EQ(ValueText(std::string(200000, '\x01')), tooDeep);
  std::string objects;
  for (int i = 0; i < 200000; ++i) objects += Short("TPanel") + Short("P") + '\0';
  EXPECT_EQ(ConvertFormFile(Form("", objects)).Error, tooDeep);
  // Ten thousand one-byte values at the deepest level would need 20 MB of indentation.
  EXPECT_EQ(ValueText(std::string(998, '\x01') + std::string(10000, '\x08')),
            "Invalid stream format: form text too large");
}

TEST(FormFileReaderFiles, TextFormsPassAndDamagedOrOtherFilesAreRefused) {
  for (const testing::TestCase& c : testing::ReadCaseFile("analysis/form_files.cases")) {
    SCOPED_TRACE(c.Name);
    const FormConversion result = ConvertFormFile(c.Value("file"));
    EXPECT_EQ(result.Ok ? result.Text : result.Error, c.Value("result"));
  }
}

}  // namespace
}  // namespace tarnwick

#include "analysis/form_file_reader.h"

#include <cstdint>
#include <filesystem>
#include <iomanip>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/case_file.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

const fs::path kFormsDir = fs::path(TARNWICK_FIXTURES_DIR) / "forms";

// Pieces of a component stream.
std::string Le(uint64_t value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}
std::string Type(uint8_t type) { return std::string(1, static_cast<char>(type)); }
std::string Short(std::string_view text) { return static_cast<char>(text.size()) + std::string(text); }
const std::string kHeader = std::string("\xFF\x0A\x00TFORM1\x00\x30\x10", 12) + Le(0, 4);

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
    fs::path expected = entry.path();
    ASSERT_TRUE(fs::exists(expected.replace_extension(".expected.txt")));
    const std::string bytes = testing::ReadFileText(entry.path());
    const FormConversion result = ConvertFormFile(bytes);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.Text, testing::ReadFileText(expected));
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
  for (const testing::TestCase& c : testing::ReadCaseFile("form_values.cases")) {
    SCOPED_TRACE(c.Name);
    std::string bytes;
    std::istringstream hex(c.Value("bytes"));
    for (std::string pair; hex >> std::setw(2) >> pair;) bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
    EXPECT_EQ(ValueText(bytes), c.Value("text"));
  }
}

TEST(FormFileReaderValues, NamelessAndInlineChildren) {
  // A nameless child, and an inline child with a 16-bit position (inline is written "object").
  const std::string children = Short("TTimer") + Short("") + '\0' + '\0' + "\xF6" + Type(3) + Le(300, 2) +
                               Short("TFrame1") + Short("Frame1") + '\0' + '\0';
  const FormConversion result = ConvertFormFile(Form("", children));
  ASSERT_TRUE(result.Ok) << result.Error;
  EXPECT_EQ(result.Text,
            "object Form1: TForm1\r\n  object TTimer\r\n  end\r\n  object Frame1: TFrame1 [300]\r\n  end\r\nend\r\n");
  // A child position must be an integer.
  const std::string position = std::string("\xF2") + Type(8) + Short("TButton") + Short("B");
  EXPECT_EQ(ConvertFormFile(Form("", position + '\0' + '\0')).Error, "Invalid stream format: unexpected value type 8");
}

TEST(FormFileReaderDamage, HeaderAndSignature) {
  const std::string valid = Form("");
  ASSERT_TRUE(ConvertFormFile(valid).Ok);
  // Bytes after the root object are not part of the form.
  EXPECT_EQ(ConvertFormFile(valid + "\x07junk").Text, "object Form1: TForm1\r\nend\r\n");
  EXPECT_EQ(ConvertFormFile("").Error, "Invalid stream format");
  EXPECT_EQ(ConvertFormFile("\xFE" + valid.substr(1)).Error, "Invalid stream format");
  EXPECT_EQ(ConvertFormFile("\xFF\x0B" + valid.substr(2)).Error, "Invalid stream format");
  std::string badSignature = valid;
  badSignature[kHeader.size() + 3] = '1';
  EXPECT_EQ(ConvertFormFile(badSignature).Error, "Invalid stream format");
  // No end to the resource name.
  EXPECT_EQ(ConvertFormFile(std::string("\xFF\x0A\x00TFORM1", 9)).Error,
            "Invalid stream format: unexpected end of data");
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

TEST(FormFileReaderText, TextFormsPassUnchangedAndOtherFilesAreNoForms) {
  for (const testing::TestCase& c : testing::ReadCaseFile("form_files.cases")) {
    SCOPED_TRACE(c.Name);
    const FormConversion result = ConvertFormFile(c.Value("file"));
    EXPECT_EQ(result.Ok ? result.Text : result.Error, c.Value("result"));
  }
}

}  // namespace
}  // namespace tarnwick

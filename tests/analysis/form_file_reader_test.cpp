#include "analysis/form_file_reader.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

const fs::path kFormsDir = fs::path(TARNWICK_FIXTURES_DIR) / "forms";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> BinaryFixtures() {
  std::vector<fs::path> paths;
  for (const auto& entry : fs::directory_iterator(kFormsDir))
    if (entry.path().extension() == ".dfm") paths.push_back(entry.path());
  std::sort(paths.begin(), paths.end());
  return paths;
}

// Pieces of a component stream.
std::string Le(uint64_t value, int size) {
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}
std::string Type(uint8_t type) { return std::string(1, static_cast<char>(type)); }
std::string Short(std::string_view text) {
  return static_cast<char>(text.size()) + std::string(text);
}
std::string Double(double value) { return Type(21) + Le(std::bit_cast<uint64_t>(value), 8); }
std::string Extended(uint64_t mantissa, unsigned signAndExponent) {
  return Type(5) + Le(mantissa, 8) + Le(signAndExponent, 2);
}
std::string Utf8(std::string_view text) {
  return Type(20) + Le(text.size(), 4) + std::string(text);
}
std::string Wide(std::u16string_view text) {
  std::string bytes = Type(18) + Le(text.size(), 4);
  for (char16_t c : text) bytes += Le(c, 2);
  return bytes;
}

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
  const std::string& text = result.Text;
  if (!text.starts_with(prefix) || !text.ends_with(suffix)) return "unexpected: " + text;
  return text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
}

TEST(FormFileReaderGolden, EveryBinaryFixtureGivesItsExpectedText) {
  const std::vector<fs::path> fixtures = BinaryFixtures();
  ASSERT_GE(fixtures.size(), 7u);
  for (const fs::path& dfm : fixtures) {
    SCOPED_TRACE(dfm.filename().string());
    fs::path expected = dfm;
    expected.replace_extension(".expected.txt");
    ASSERT_TRUE(fs::exists(expected));
    const FormConversion result = ConvertFormFile(ReadFile(dfm));
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_EQ(result.Text, ReadFile(expected));
  }
}

TEST(FormFileReaderGolden, EveryTruncationFailsCleanly) {
  for (const fs::path& dfm : BinaryFixtures()) {
    SCOPED_TRACE(dfm.filename().string());
    const std::string bytes = ReadFile(dfm);
    for (size_t length = 0; length < bytes.size(); ++length) {
      const FormConversion result = ConvertFormFile(std::string_view(bytes).substr(0, length));
      ASSERT_FALSE(result.Ok) << "length " << length;
      ASSERT_TRUE(result.Error.starts_with("Invalid stream format")) << result.Error;
      ASSERT_TRUE(result.Text.empty());
    }
  }
}

TEST(FormFileReaderValues, FloatsKeepAPointAndTheShortestDigits) {
  EXPECT_EQ(ValueText(Double(0.1)), "0.1");
  EXPECT_EQ(ValueText(Double(2.0)), "2.0");
  EXPECT_EQ(ValueText(Double(-0.0)), "-0.0");
  EXPECT_EQ(ValueText(Double(1e20)), "1.0E+20");
  EXPECT_EQ(ValueText(Double(1.25e-7)), "1.25E-07");
  EXPECT_EQ(ValueText(Type(15) + Le(std::bit_cast<uint32_t>(0.3f), 4)), "0.3s");
  EXPECT_EQ(ValueText(Type(17) + Le(std::bit_cast<uint64_t>(2.0), 8)), "2.0d");
  EXPECT_EQ(ValueText(Type(16) + Le(static_cast<uint64_t>(-5), 8)), "-0.0005c");
  EXPECT_EQ(ValueText(Type(16) + Le(1234567890, 8)), "123456.789c");
}

TEST(FormFileReaderValues, ExtendedIsDecodedFromItsTenBytes) {
  EXPECT_EQ(ValueText(Extended(0x8000000000000000, 0x3FFF)), "1.0");
  EXPECT_EQ(ValueText(Extended(0xC000000000000000, 0xC000)), "-3.0");
  EXPECT_EQ(ValueText(Extended(0, 0)), "0.0");
  // The largest double, and a value past it that only an extended can hold.
  EXPECT_EQ(ValueText(Extended(0xFFFFFFFFFFFFF800, 0x43FE)), "1.7976931348623157E+308");
  EXPECT_EQ(ValueText(Extended(0x8000000000000000, 0x43FF)), "inf");
  EXPECT_EQ(ValueText(Extended(0x8000000000000000, 0xFFFF)), "-inf");
  EXPECT_EQ(ValueText(Extended(0xC000000000000000, 0x7FFF)), "nan");
  // The smallest double denormal, 2^-1074, and an extended denormal far below it.
  EXPECT_EQ(ValueText(Extended(0x8000000000000000, 16383 - 1074)), "5.0E-324");
  EXPECT_EQ(ValueText(Extended(1, 0)), "0.0");
  // 64 mantissa bits are rounded to the nearest double.
  EXPECT_EQ(ValueText(Extended(0xCCCCCCCCCCCCCCCD, 0x3FFB)), "0.1");
}

TEST(FormFileReaderValues, StringsQuoteRunsAndCodeTheRest) {
  EXPECT_EQ(ValueText(Type(6) + Short("caf\xE9\x7F")), "'caf\xE9\x7F'");
  EXPECT_EQ(ValueText(Type(6) + Short("")), "''");
  EXPECT_EQ(ValueText(Type(6) + Short("'\r")), "#39#13");
  EXPECT_EQ(ValueText(Type(12) + Le(3, 4) + "a'b"), "'a'#39'b'");
  EXPECT_EQ(ValueText(Wide(std::u16string_view(u"\u00FF\u0100x\u0000", 4))), "'\xFF'#256'x'#0");
  EXPECT_EQ(ValueText(Wide(u"")), "''");
  // A long string starts on a new line one level deeper, 64 characters per line.
  const std::string longText(130, 'x');
  EXPECT_EQ(ValueText(Type(12) + Le(130, 4) + longText),
            "\r\n    '" + std::string(64, 'x') + "' +\r\n    '" + std::string(64, 'x') +
                "' +\r\n    'xx'");
}

TEST(FormFileReaderValues, Utf8StringsAreWrittenLikeWideStrings) {
  EXPECT_EQ(ValueText(Utf8("caf\xC3\xA9 \xE2\x82\xAC")), "'caf\xE9 '#8364");
  EXPECT_EQ(ValueText(Utf8("\xF0\x9F\x98\x80")), "#55357#56832");
  EXPECT_EQ(ValueText(Utf8("")), "''");
  // Bytes outside a well-formed sequence stand for themselves: a lone continuation byte, an
  // overlong form, a cut sequence, an encoded surrogate and a byte that never starts one.
  EXPECT_EQ(ValueText(Utf8("\x80")), "'\x80'");
  EXPECT_EQ(ValueText(Utf8("\xC0\xAF")), "'\xC0\xAF'");
  EXPECT_EQ(ValueText(Utf8("a\xE2\x82")), "'a\xE2\x82'");
  EXPECT_EQ(ValueText(Utf8("\xED\xA0\x80")), "'\xED\xA0\x80'");
  EXPECT_EQ(ValueText(Utf8("\xF5\x80\x80\x80")), "'\xF5\x80\x80\x80'");
  // The line split counts UTF-16 units, so a surrogate pair may fall on two lines.
  EXPECT_EQ(ValueText(Utf8(std::string(63, 'a') + "\xF0\x9F\x98\x80")),
            "\r\n    '" + std::string(63, 'a') + "'#55357 +\r\n    #56832");
}

TEST(FormFileReaderValues, WordsAndObjectHeaders) {
  EXPECT_EQ(ValueText(Type(0)), "Null");
  EXPECT_EQ(ValueText(Type(7) + Short("clRed")), "clRed");
  EXPECT_EQ(ValueText(Type(19) + Le(0x8000000000000000, 8)), "-9223372036854775808");
  EXPECT_EQ(ValueText(Type(11) + Short("a") + Short("b") + Short("")), "[a, b]");
  EXPECT_EQ(ValueText(Type(14) + Type(19) + Le(7, 8) + Type(1) + '\0' + '\0'),
            "<\r\n    item [7]\r\n    end>");
  // A nameless child, and an inline child with a 16-bit position (inline is written "object").
  const std::string children = Short("TTimer") + Short("") + '\0' + '\0' + "\xF6" + Type(3) +
                               Le(300, 2) + Short("TFrame1") + Short("Frame1") + '\0' + '\0';
  const FormConversion result = ConvertFormFile(Form("", children));
  ASSERT_TRUE(result.Ok) << result.Error;
  EXPECT_EQ(result.Text,
            "object Form1: TForm1\r\n  object TTimer\r\n  end\r\n"
            "  object Frame1: TFrame1 [300]\r\n  end\r\nend\r\n");
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

TEST(FormFileReaderDamage, BadTypesAndLengths) {
  EXPECT_EQ(ValueText(Type(22)), "Invalid stream format: unknown value type 22");
  EXPECT_EQ(ValueText(Type(1) + Type(0xFF)), "Invalid stream format: unknown value type 255");
  EXPECT_EQ(ValueText(Type(14) + Type(6)), "Invalid stream format: unexpected value type 6");
  EXPECT_EQ(ValueText(Type(14) + Type(2) + "\x01" + Type(9)),
            "Invalid stream format: unexpected value type 9");
  const std::string pastEnd = "Invalid stream format: unexpected end of data";
  EXPECT_EQ(ValueText(Type(12) + Le(0xFFFFFFFF, 4)), pastEnd);
  EXPECT_EQ(ValueText(Type(10) + Le(0x7FFFFFFF, 4)), pastEnd);
  EXPECT_EQ(ValueText(Type(18) + Le(0x80000000, 4)), pastEnd);
  EXPECT_EQ(ValueText(Type(20) + Le(100, 4) + "abc"), pastEnd);
  // A child position must be an integer.
  const std::string position = std::string("\xF2") + Type(8) + Short("TButton") + Short("B");
  EXPECT_EQ(ConvertFormFile(Form("", position + '\0' + '\0')).Error,
            "Invalid stream format: unexpected value type 8");
}

TEST(FormFileReaderDamage, DeepNestingAndRunawayOutputAreRefused) {
  EXPECT_TRUE(ConvertFormFile(Form(Short("P") + std::string(998, '\x01') +
                                   std::string(998, '\0')))
                  .Ok);
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

TEST(FormFileReaderText, TextFormFilesPassUnchanged) {
  const std::string crlf = "object Form1: TForm1\r\n  Left = 8\r\nend\r\n";
  const std::string lf = "inherited Form2: TForm2\n  Top = 1\nend\n";
  EXPECT_EQ(ConvertFormFile(crlf).Text, crlf);
  EXPECT_EQ(ConvertFormFile(lf).Text, lf);
  EXPECT_EQ(ConvertFormFile("\xEF\xBB\xBF" + crlf).Text, crlf);
  EXPECT_EQ(ConvertFormFile("\xEF\xBB\xBF \r\n\t" + lf).Text, " \r\n\t" + lf);
  EXPECT_EQ(ConvertFormFile("inline Frame1: TFrame1\nend\n").Text,
            "inline Frame1: TFrame1\nend\n");
  EXPECT_TRUE(ConvertFormFile("OBJECT Form1: TForm1\nEND\n").Ok);
}

TEST(FormFileReaderText, OtherFilesAreNotForms) {
  for (std::string_view bytes : {"", "\xEF\xBB\xBF", "   \r\n", "objection\n", "object",
                                 "unit Unit1;\n", "\xEF\xBB\xBF\xEF\xBB\xBFobject A: TA\n",
                                 "TPF0\x06TForm1"}) {
    const FormConversion result = ConvertFormFile(bytes);
    EXPECT_FALSE(result.Ok) << bytes;
    EXPECT_EQ(result.Error, "Invalid stream format");
  }
}

}  // namespace
}  // namespace tarnwick

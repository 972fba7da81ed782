#include "analysis/form_file_reader.h"

#include <bit>
#include <cstdint>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

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
std::string Double(double value) { return Type(21) + Le(std::bit_cast<uint64_t>(value), 8); }
std::string Extended(uint64_t mantissa, unsigned signAndExponent) {
  return Type(5) + Le(mantissa, 8) + Le(signAndExponent, 2);
}
std::string Utf8(std::string_view text) { return Type(20) + Le(text.size(), 4) + std::string(text); }
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
  const std::string x64(64, 'x'), pastEnd = "Invalid stream format: unexpected end of data";
  const std::pair<std::string, std::string> cases[] = {
      // Floats keep a point and the shortest digits.
      {Double(0.1), "0.1"},
      {Double(2.0), "2.0"},
      {Double(-0.0), "-0.0"},
      {Double(1e20), "1.0E+20"},
      {Double(1.25e-7), "1.25E-07"},
      {Type(15) + Le(std::bit_cast<uint32_t>(0.3f), 4), "0.3s"},
      {Type(17) + Le(std::bit_cast<uint64_t>(2.0), 8), "2.0d"},
      {Type(16) + Le(static_cast<uint64_t>(-5), 8), "-0.0005c"},
      {Type(16) + Le(1234567890, 8), "123456.789c"},
      // Extended is decoded from its ten bytes: the largest double, values past it, denormals, and
      // 64 mantissa bits rounded to the nearest double.
      {Extended(0x8000000000000000, 0x3FFF), "1.0"},
      {Extended(0xC000000000000000, 0xC000), "-3.0"},
      {Extended(0, 0), "0.0"},
      {Extended(0xFFFFFFFFFFFFF800, 0x43FE), "1.7976931348623157E+308"},
      {Extended(0x8000000000000000, 0x43FF), "inf"},
      {Extended(0x8000000000000000, 0xFFFF), "-inf"},
      {Extended(0xC000000000000000, 0x7FFF), "nan"},
      {Extended(0x8000000000000000, 16383 - 1074), "5.0E-324"},
      {Extended(1, 0), "0.0"},
      {Extended(0xCCCCCCCCCCCCCCCD, 0x3FFB), "0.1"},
      // Strings quote runs and code the rest; a long one starts on a new line one level deeper, 64
      // characters per line.
      {Type(6) + Short("caf\xE9\x7F"), "'caf\xE9\x7F'"},
      {Type(6) + Short(""), "''"},
      {Type(6) + Short("'\r"), "#39#13"},
      {Type(12) + Le(3, 4) + "a'b", "'a'#39'b'"},
      {Wide(std::u16string_view(u"\u00FF\u0100x\u0000", 4)), "#255#256'x'#0"},
      {Wide(u""), "''"},
      {Type(12) + Le(130, 4) + std::string(130, 'x'), "\r\n    '" + x64 + "' +\r\n    '" + x64 + "' +\r\n    'xx'"},
      // Wide and UTF-8 strings code every character above 127, so no code page can misread them.
      // UTF-8 strings are written like wide strings; bytes outside a well-formed sequence stand for
      // the character of their code: a lone continuation byte, an overlong form, a cut sequence, an
      // encoded surrogate and a byte that never starts one.
      {Utf8("caf\xC3\xA9 \xE2\x82\xAC"), "'caf'#233' '#8364"},
      {Utf8("\xF0\x9F\x98\x80"), "#55357#56832"},
      {Utf8(""), "''"},
      {Utf8("\x80"), "#128"},
      {Utf8("\xC0\xAF"), "#192#175"},
      {Utf8("a\xE2\x82"), "'a'#226#130"},
      {Utf8("\xED\xA0\x80"), "#237#160#128"},
      {Utf8("\xF5\x80\x80\x80"), "#245#128#128#128"},
      // The line split counts UTF-16 units, so a surrogate pair may fall on two lines.
      {Utf8(std::string(63, 'a') + "\xF0\x9F\x98\x80"), "\r\n    '" + std::string(63, 'a') + "'#55357 +\r\n    #56832"},
      // Words, sets, collections.
      {Type(0), "Null"},
      {Type(7) + Short("clRed"), "clRed"},
      {Type(19) + Le(0x8000000000000000, 8), "-9223372036854775808"},
      {Type(11) + Short("a") + Short("b") + Short(""), "[a, b]"},
      {Type(14) + Type(19) + Le(7, 8) + Type(1) + '\0' + '\0', "<\r\n    item [7]\r\n    end>"},
      // Bad types and lengths.
      {Type(22), "Invalid stream format: unknown value type 22"},
      {Type(1) + Type(0xFF), "Invalid stream format: unknown value type 255"},
      {Type(14) + Type(6), "Invalid stream format: unexpected value type 6"},
      {Type(14) + Type(2) + "\x01" + Type(9), "Invalid stream format: unexpected value type 9"},
      {Type(12) + Le(0xFFFFFFFF, 4), pastEnd},
      {Type(10) + Le(0x7FFFFFFF, 4), pastEnd},
      {Type(18) + Le(0x80000000, 4), pastEnd},
      {Type(20) + Le(100, 4) + "abc", pastEnd},
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(ValueText(bytes), expected);
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

TEST(FormFileReaderText, TextFormFilesPassUnchanged) {
  const std::string crlf = "object Form1: TForm1\r\n  Left = 8\r\nend\r\n";
  const std::string lf = "inherited Form2: TForm2\n  Top = 1\nend\n";
  EXPECT_EQ(ConvertFormFile(crlf).Text, crlf);
  EXPECT_EQ(ConvertFormFile(lf).Text, lf);
  EXPECT_EQ(ConvertFormFile("\xEF\xBB\xBF" + crlf).Text, crlf);
  EXPECT_EQ(ConvertFormFile("\xEF\xBB\xBF \r\n\t" + lf).Text, " \r\n\t" + lf);
  EXPECT_EQ(ConvertFormFile("inline Frame1: TFrame1\nend\n").Text, "inline Frame1: TFrame1\nend\n");
  EXPECT_TRUE(ConvertFormFile("OBJECT Form1: TForm1\nEND\n").Ok);
}

TEST(FormFileReaderText, OtherFilesAreNotForms) {
  for (std::string_view bytes : {"", "\xEF\xBB\xBF", "   \r\n", "objection\n", "object", "unit Unit1;\n",
                                 "\xEF\xBB\xBF\xEF\xBB\xBFobject A: TA\n", "TPF0\x06TForm1"}) {
    const FormConversion result = ConvertFormFile(bytes);
    EXPECT_FALSE(result.Ok) << bytes;
    EXPECT_EQ(result.Error, "Invalid stream format");
  }
}

}  // namespace
}  // namespace tarnwick

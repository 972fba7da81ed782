// Projects written in different code pages, end to end through the command line: the document,
// the object tree and the dump all show the right characters.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "app/cli/command_line.h"
#include "support/encoded_text.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

const std::string kRussian = "\u0421\u043a\u0430\u043d\u0438\u0440\u043e\u0432\u0430\u043d\u0438\u0435 "
                             "\u0444\u043b\u0430\u0433\u043e\u0432 \u0437\u0430\u0432\u0435\u0440\u0448\u0435\u043d\u043e";
const std::string kHungarian = "Bels\u0151 \u00e1llapot szerkeszt\u00e9se, f\u00e1jl megnyit\u00e1sa \u00e9s ment\u00e9se";
const std::string kGerman = "\u00dcbersicht der Gr\u00f6\u00dfe und Ma\u00dfe";

struct CodePageCase {
  const char* Name;
  std::string Text;      // UTF-8
  const char* Encoding;  // iconv name of the files' encoding
  const char* Setting;   // SourceCodePage, "" for the stored default
  const char* CodePage;  // what the dump reports
};

const CodePageCase kCases[] = {
    {"Windows1251", kRussian, "WINDOWS-1251", "", "windows-1251"},
    {"Windows1250", kHungarian, "WINDOWS-1250", "", "windows-1250"},
    {"Windows1252", kGerman, "WINDOWS-1252", "", "windows-1252"},
    {"Utf8", kRussian + " " + kGerman, "UTF-8", "", "windows-1252"},
    {"Utf8WithByteOrderMark", kRussian, "UTF-8", "", "windows-1252"},
    {"Utf16WithByteOrderMark", kRussian, "UTF-16LE", "", "windows-1252"},
    {"ForcedBySetting", kRussian, "WINDOWS-1251", "1251", "windows-1251"},
};

class CodePageTest : public ::testing::TestWithParam<CodePageCase> {
 protected:
  void WriteProject(const CodePageCase& c) {
    const bool bom = std::string(c.Name).find("ByteOrderMark") != std::string::npos;
    const std::string mark = !bom ? "" : std::string(c.Encoding) == "UTF-8" ? "\xEF\xBB\xBF" : "\xFF\xFE";
    auto write = [&](const char* name, const std::string& utf8) {
      folder_.Write(name, mark + testing::Encode(utf8, c.Encoding));
    };
    write("P.dpr", "program P;\r\nuses\r\n  Forms,\r\n  Main in 'Main.pas' {MainForm};\r\nbegin\r\nend.\r\n");
    write("Main.pas", "unit Main;\r\ninterface\r\nimplementation\r\nconst S = '" + c.Text + "';\r\nend.\r\n");
    write("Main.dfm", "object MainForm: TMainForm\r\n  Caption = '" + c.Text + "'\r\nend\r\n");
  }
  int Run(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"tarnwick-doc", "-q", "--yes", "--settings", folder_.Path() + "t.reg"});
    arguments.push_back(folder_.Path() + "P.dpr");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = RunCommandLine(static_cast<int>(argv.size()), argv.data());
    out_ = ::testing::internal::GetCapturedStdout();
    err_ = ::testing::internal::GetCapturedStderr();
    return status;
  }
  std::vector<std::string> SettingArguments(const CodePageCase& c) {
    if (*c.Setting == '\0') return {};
    return {"-o", std::string("SourceCodePage=") + c.Setting};
  }

  testing::TempFolder folder_;
  std::string out_;
  std::string err_;
};

TEST_P(CodePageTest, DocumentObjectTreeAndDumpShowTheRightCharacters) {
  const CodePageCase& c = GetParam();
  WriteProject(c);
  std::vector<std::string> dump = SettingArguments(c);
  dump.insert(dump.end(), {"--dump", "json"});
  ASSERT_EQ(Run(dump), 0) << err_;
  const nlohmann::json json = nlohmann::json::parse(out_);
  EXPECT_EQ(json["codePage"], c.CodePage);
  ASSERT_EQ(json["units"].size(), 2u);
  ASSERT_EQ(json["objects"]["tree"].size(), 1u);
  EXPECT_EQ(json["objects"]["tree"][0]["properties"][0], "Caption = '" + c.Text + "'");

  std::vector<std::string> document = SettingArguments(c);
  document.insert(document.end(), {"-o", "ObjectsOutput=0", "-o", "DependencyOutput=0"});
  ASSERT_EQ(Run(document), 0) << err_;
  const std::string html = testing::ReadFileText(folder_.Path() + "Documentation/P.html");
  EXPECT_NE(html.find("charset=utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("S = '" + c.Text + "';"), std::string::npos);         // the listing
  EXPECT_NE(html.find("Caption = '" + c.Text + "'<BR>"), std::string::npos);  // the object tree
}

INSTANTIATE_TEST_SUITE_P(Projects, CodePageTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// A UTF-8 project with one stray byte: only that line is read in the project's code page.
TEST_F(CodePageTest, OneStrayByteSpoilsOnlyItsOwnLine) {
  folder_.Write("P.dpr", "program P;\r\nuses\r\n  Main in 'Main.pas';\r\nbegin\r\nend.\r\n");
  folder_.Write("Main.pas", "unit Main;\r\n// " + kRussian + "\r\n// and so on\x85\r\nimplementation\r\nend.\r\n");
  ASSERT_EQ(Run({}), 0) << err_;
  const std::string html = testing::ReadFileText(folder_.Path() + "Documentation/P.html");
  EXPECT_NE(html.find(kRussian), std::string::npos);
  EXPECT_NE(html.find("so on\u2026"), std::string::npos);
}

TEST_F(CodePageTest, MessagesNameProjectFilesInUtf8) {
  const std::string folder = "\u041c\u043e\u0434\u0443\u043b\u0438";  // the unit's file is missing
  folder_.Write("P.dpr", testing::Encode("program P;\r\nuses\r\n  Main in '" + folder +
                                             "\\Main.pas';\r\nbegin\r\nend.\r\n",
                                         "WINDOWS-1251"));
  ASSERT_EQ(Run({"-o", "SourceCodePage=windows-1251", "--dump", "json"}), 0);
  EXPECT_NE(err_.find(folder), std::string::npos) << err_;
  const nlohmann::json json = nlohmann::json::parse(out_);
  EXPECT_NE(json["messages"].dump().find(folder), std::string::npos);
}

TEST_F(CodePageTest, ASettingThatNamesNoCodePageIsRefused) {
  folder_.Write("P.dpr", "program P;\r\nbegin\r\nend.\r\n");
  EXPECT_EQ(Run({"-o", "SourceCodePage=latin-9"}), 1);
  EXPECT_NE(err_.find("SourceCodePage must be"), std::string::npos) << err_;
}

}  // namespace
}  // namespace tarnwick

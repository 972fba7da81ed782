#include "report/documentation_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/workspace.h"
#include "report/report_options.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;

const fs::path kDocumentsDir = fs::path(TARNWICK_FIXTURES_DIR) / "documents";
constexpr std::time_t kNow = 1700000000;

/// A project, its options and the main window's state, set up in a temporary folder.
class DocumentFixture : public ::testing::Test {
 protected:
  DocumentFixture() {
    Model().ProjectFile = temp_.Path() + "Demo.dpr";
    Model().ProjectFolder = temp_.Path();
    Model().DocumentationFolder = temp_.Path() + "Documentation/";
    request_.Now = kNow;
  }

  ProjectModel& Model() { return workspace_.Model; }
  std::string OutputPath() { return Model().DocumentationFolder + "Demo.html"; }

  DocResult Run() { return WriteDocumentation(workspace_, options_, ui_, request_); }

  // The written file with the varying parts masked and line ends as LF.
  std::string Masked() {
    std::string text = ReadFileText(OutputPath());
    text =
        std::regex_replace(text, std::regex("TimeStamp\" content=\"[^\"]*\""), "TimeStamp\" content=\"*\"");
    text = Replace(text, ShortDateText(kNow), "{DATE}");
    text = Replace(text, temp_.Path(), "{FOLDER}/");
    return Replace(text, "\r\n", "\n");
  }

  static std::string Replace(std::string text, std::string_view from, std::string_view to) {
    for (size_t at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size())) {
      text.replace(at, from.size(), to);
    }
    return text;
  }

  void AddImage(std::string form, std::string view, std::string file, std::string status, bool selected) {
    auto picture = std::make_shared<Picture>();
    picture->Kind = Picture::Format::Jpeg;
    picture->Width = 640;
    picture->Height = 480;
    picture->JpegData = "jpeg bytes";
    Model().Images.push_back(ImageEntry{form, view, form, file, status, picture, selected});
  }

  testing::TempFolder temp_;
  Workspace workspace_;
  ReportOptions options_;
  testing::RecordingPrompter prompter_;
  testing::RecordingProgressSink progress_;
  EstimatingTextMeasure measure_;
  UserInterface ui_{prompter_, progress_, measure_};
  DocumentationRequest request_;
};

// ---------------------------------------------------------------------------------------------
// Golden cases: tests/fixtures/documents/<case>/case.txt describes the project and the options,
// expected.html is the document (time stamp "*", the date "{DATE}", the project folder
// "{FOLDER}/", LF line ends). Units' ".pas" files of the case go to the project folder,
// "Title.htm" to the documentation folder.
//
// case.txt lines: "unit NAME [FORM]", "select UNIT", "unused TEXT", "dep LEVEL TEXT",
// "obj LEVEL TEXT", "prop TEXT" (of the last obj), "filtered-dep LEVEL TEXT",
// "filtered-obj LEVEL TEXT", "view dependencies|objects all|filtered|none",
// "image FORM VIEW|- FILE STATUS [selected]", "option NAME=VALUE", "result Written|NothingSelected".

class GoldenDocument : public DocumentFixture, public ::testing::WithParamInterface<std::string> {
 protected:
  void RunCase(const fs::path& folder);
  template <typename Forest>
  static auto* AddAtLevel(Forest& forest, int level, std::string text) {
    if (level == 0) return AddRoot(forest, std::move(text));
    auto* parent = forest.back().get();
    for (int i = 1; i < level; ++i) parent = parent->Children.back().get();
    return parent->AddChild(std::move(text));
  }

  static CurrentTree TreeNamed(const std::string& name) {
    return name == "all" ? CurrentTree::All : name == "filtered" ? CurrentTree::Filtered : CurrentTree::None;
  }

  void ApplyLine(const std::string& keyword, std::istringstream& rest);
  std::string expectedResult_ = "Written";
  ObjectNode* lastObject_ = nullptr;
};

std::string RestOf(std::istringstream& in) {
  std::string text;
  std::getline(in >> std::ws, text);
  return text;
}

void GoldenDocument::ApplyLine(const std::string& keyword, std::istringstream& in) {
  std::string a, b;
  int level = 0;
  if (keyword == "unit") {
    in >> a;
    Model().AddUnit(UnitEntry{a, RestOf(in), ""});
  } else if (keyword == "select") {
    request_.SelectedUnits.insert(RestOf(in));
  } else if (keyword == "unused") {
    Model().UnusedSources.push_back(RestOf(in));
  } else if (keyword == "dep" || keyword == "filtered-dep") {
    in >> level;
    AddAtLevel(keyword == "dep" ? Model().DependencyTree : workspace_.Dependencies.FilteredTree, level,
               RestOf(in));
  } else if (keyword == "obj" || keyword == "filtered-obj") {
    in >> level;
    lastObject_ = AddAtLevel(keyword == "obj" ? Model().ObjectTree : workspace_.Objects.FilteredTree, level,
                             RestOf(in));
  } else if (keyword == "prop") {
    lastObject_->Data->Properties.push_back(RestOf(in));
  } else if (keyword == "view") {
    in >> a >> b;
    (a == "dependencies" ? workspace_.Dependencies.CurDependencyTreeView
                         : workspace_.Objects.CurObjectTreeView) = TreeNamed(b);
  } else if (keyword == "image") {
    std::string file, status, selected;
    in >> a >> b >> file >> status >> selected;
    AddImage(a, b == "-" ? "" : b, file, status, selected == "selected");
  } else if (keyword == "option") {
    std::string text = RestOf(in), error;
    size_t equals = text.find('=');
    ASSERT_TRUE(OverrideReportOption(options_, text.substr(0, equals), text.substr(equals + 1), error))
        << error;
  } else if (keyword == "result") {
    expectedResult_ = RestOf(in);
  } else {
    FAIL() << "unknown line " << keyword;
  }
}

void GoldenDocument::RunCase(const fs::path& folder) {
  std::ifstream description(folder / "case.txt", std::ios::binary);
  std::string line;
  while (std::getline(description, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    std::string keyword;
    in >> keyword;
    ApplyLine(keyword, in);
  }
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    std::string content = ReadFileText(entry.path().string());
    if (entry.path().extension() == ".pas") temp_.Write(name, content);
    if (name == "Title.htm") temp_.Write("Documentation/" + name, content);
  }
  DocResult result = Run();
  EXPECT_EQ(result == DocResult::Written ? "Written" : "NothingSelected", expectedResult_);
  std::string actual = Masked();
  std::string expected = ReadFileText((folder / "expected.html").string());
  if (actual != expected) {
    // Left beside the test program for a side-by-side look at the difference.
    std::ofstream(folder.filename().string() + ".actual.html", std::ios::binary) << actual;
  }
  EXPECT_EQ(actual, expected);
}

std::vector<std::string> GoldenCases() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kDocumentsDir)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_P(GoldenDocument, GivesItsExpectedDocument) { RunCase(kDocumentsDir / GetParam()); }

INSTANTIATE_TEST_SUITE_P(Documents, GoldenDocument, ::testing::ValuesIn(GoldenCases()),
                         [](const auto& info) { return info.param; });

// ---------------------------------------------------------------------------------------------
// Preparation: the overwrite question, the folder and the output file.

using DocumentPreparation = DocumentFixture;

TEST_F(DocumentPreparation, KeepsAnExistingFileWhenTheUserCancels) {
  temp_.Write("Documentation/Demo.html", "old");
  prompter_.QueueAnswer(MessageAnswer::Cancel);
  EXPECT_EQ(Run(), DocResult::Declined);
  ASSERT_EQ(prompter_.Messages().size(), 1u);
  EXPECT_EQ(prompter_.Messages()[0].kind, MessageKind::Confirmation);
  EXPECT_EQ(prompter_.Messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(prompter_.Messages()[0].text, "Overwrite file \r\r" + OutputPath() + "?\r");
  EXPECT_EQ(ReadFileText(OutputPath()), "old");
}

TEST_F(DocumentPreparation, ReportsAFolderThatCannotBeCreated) {
  temp_.Write("Blocker", "a file where a folder should be");
  Model().DocumentationFolder = temp_.Path() + "Blocker/Documentation/";
  EXPECT_EQ(Run(), DocResult::NoFolder);
  EXPECT_EQ(prompter_.Texts(),
            std::vector<std::string>{"Could not create dir " + Model().DocumentationFolder});
  EXPECT_EQ(prompter_.Messages()[0].kind, MessageKind::Error);
}

TEST_F(DocumentPreparation, ReportsAnOutputFileThatCannotBeCreated) {
  fs::create_directories(OutputPath());  // a folder of the file's name
  EXPECT_EQ(Run(), DocResult::NoFile);
  ASSERT_EQ(prompter_.Messages().size(), 1u);
  EXPECT_EQ(prompter_.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(prompter_.Messages()[0].text.rfind("Cannot create file \"" + OutputPath() + "\". ", 0), 0u);
}

// ---------------------------------------------------------------------------------------------
// Failures while writing end the run and keep what was written.

using DocumentFailure = DocumentFixture;

TEST_F(DocumentFailure, AnIndentThatIsNoNumberStopsTheRunAfterTheIndex) {
  AddRoot(Model().DependencyTree, "MainForm");
  workspace_.Dependencies.CurDependencyTreeView = CurrentTree::All;
  options_.DependencyOutput = kOutputAsText;
  options_.IndentSpaces = "x";
  EXPECT_EQ(Run(), DocResult::Written);
  EXPECT_EQ(prompter_.Texts(),
            std::vector<std::string>{"There was an error during creation of the HTML file.\r\r"
                                     "'x' is not a valid integer value"});
  std::string text = ReadFileText(OutputPath());
  EXPECT_TRUE(text.ends_with("<A NAME=\"UnitDependencies\"></A>\r\n<H3>Dependencies</H3>\r\n")) << text;
  EXPECT_EQ(progress_.Log().back(), "reset");
  EXPECT_EQ(progress_.Log()[progress_.Log().size() - 2], "text:");
}

TEST_F(DocumentFailure, AMissingSourceFileIsReportedWithItsOwnText) {
  Model().AddUnit(UnitEntry{"Main", "MainForm", ""});
  EXPECT_EQ(Run(), DocResult::Written);
  ASSERT_EQ(prompter_.Messages().size(), 1u);
  const std::string& text = prompter_.Messages()[0].text;
  EXPECT_EQ(text.rfind("There was an error during creation of the HTML file.\r\r", 0), 0u) << text;
  EXPECT_NE(text.find("Main.pas"), std::string::npos) << text;
  EXPECT_TRUE(ReadFileText(OutputPath()).ends_with("<font size=\"+0\">\r\n"));
}

// ---------------------------------------------------------------------------------------------
// Form images: new pictures are saved before their index entry.

using DocumentImages = DocumentFixture;

TEST_F(DocumentImages, SavesANewImageBeforeItsEntry) {
  AddImage("MainForm", "Details", "Main_Details.jpg", "New", false);
  EXPECT_EQ(Run(), DocResult::Written);
  EXPECT_EQ(Model().Images[0].Status, "Disk");
  EXPECT_EQ(ReadFileText(Model().DocumentationFolder + "Main_Details.jpg"), "jpeg bytes");
  std::string text = ReadFileText(OutputPath());
  EXPECT_NE(text.find("<DD><A HREF=\"#IMAGEMainFormDetails\">MainForm Details</A></DD>"), std::string::npos);
  EXPECT_NE(text.find("<td><IMG SRC=\"Main_Details.jpg\" HEIGHT=480 WIDTH=640></td><br>"), std::string::npos);
}

TEST_F(DocumentImages, AsksBeforeOverwritingAnImageFile) {
  temp_.Write("Documentation/Main.jpg", "older picture");
  AddImage("MainForm", "", "Main.jpg", "New", false);
  prompter_.QueueAnswer(MessageAnswer::Cancel);
  EXPECT_EQ(Run(), DocResult::Written);
  EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{"Overwrite file Main.jpg"});
  EXPECT_EQ(Model().Images[0].Status, "New");
  EXPECT_EQ(ReadFileText(Model().DocumentationFolder + "Main.jpg"), "older picture");
}

TEST_F(DocumentImages, AnImageThatCannotBeSavedEndsTheRunBeforeItsEntry) {
  fs::create_directories(Model().DocumentationFolder + "Main.jpg");
  AddImage("MainForm", "", "Main.jpg", "New", false);
  EXPECT_EQ(Run(), DocResult::NothingSelected);
  EXPECT_EQ(Model().Images[0].Status, "New");
  // The image list has shown its own failure; the run adds no second message.
  for (const std::string& text : prompter_.Texts())
    EXPECT_EQ(text.find("creation of the HTML"), std::string::npos);
  std::string text = ReadFileText(OutputPath());
  EXPECT_EQ(text.find("#IMAGE"), std::string::npos);
  EXPECT_TRUE(text.ends_with("<DL>\r\n")) << text;
}

TEST_F(DocumentImages, PrintsOnlySelectedImagesWhenAskedTo) {
  AddImage("AForm", "", "A.jpg", "Disk", false);
  AddImage("BForm", "", "B.jpg", "Disk", true);
  ImagesSelectedCheckBoxClick(options_, true);
  EXPECT_EQ(Run(), DocResult::Written);
  std::string text = ReadFileText(OutputPath());
  EXPECT_EQ(text.find("AForm"), std::string::npos);
  EXPECT_NE(text.find("<A NAME=\"IMAGEBForm\"></A>"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Tree pictures, progress, the title template's places, long texts.

TEST_F(DocumentFixture, PictureTablesListEveryPageDrawn) {
  AddRoot(Model().DependencyTree, "MainForm")->AddChild("Util");
  AddRoot(Model().ObjectTree, "Form1: TForm1");
  workspace_.Dependencies.CurDependencyTreeView = CurrentTree::All;
  workspace_.Objects.CurObjectTreeView = CurrentTree::All;
  options_.ObjectsOutput = kOutputAsJpeg;
  EXPECT_EQ(Run(), DocResult::Written);
  std::string text = ReadFileText(OutputPath());
  EXPECT_NE(text.find("<caption ALIGN=\"TOP\"><H3 ALIGN=\"LEFT\">Dependencies</H3></caption>"),
            std::string::npos);
  EXPECT_NE(text.find("<A NAME=\"FormObjects\"></A>\r\n<table BORDER"), std::string::npos);
  EXPECT_NE(text.find("<DD><A HREF=\"#FormObjects\">Object Tree</A></DD>"), std::string::npos);
  for (std::string base : {"Dependencies", "Objects"}) {
    size_t rows = 0;
    for (size_t at = text.find("<IMG SRC=\"" + base); at != std::string::npos;
         at = text.find("<IMG SRC=\"" + base, at + 1)) {
      ++rows;
    }
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(Model().DocumentationFolder)) {
      std::string name = entry.path().filename().string();
      files += name.starts_with(base) && name.ends_with(".jpg");
    }
    EXPECT_EQ(rows, files) << base;
  }
}

TEST_F(DocumentFixture, ReportsEachSectionOnTheStatusLine) {
  temp_.Write("Main.pas", "unit Main;\r\n");
  Model().AddUnit(UnitEntry{"Main", "MainForm", ""});
  AddRoot(Model().DependencyTree, "MainForm");
  AddRoot(Model().ObjectTree, "Form1: TForm1");
  options_.DependencyOutput = options_.ObjectsOutput = kOutputAsText;
  EXPECT_EQ(Run(), DocResult::Written);
  EXPECT_EQ(progress_.Log(),
            (std::vector<std::string>{"text:Processing Main", "step", "text:Drawing dependency tree...",
                                      "step", "text:Drawing objects tree...", "step", "text:", "reset"}));
}

TEST_F(DocumentFixture, TakesTheTitleFromTheProgramFolderWhenTheDocumentationFolderHasNone) {
  temp_.Write("Program/Title.htm", "<H1>%%project%%</H1>\r\n");
  request_.ProgramFolder = temp_.Path() + "Program";
  Run();
  EXPECT_NE(ReadFileText(OutputPath()).find("<Body>\r\n<H1>" + Model().ProjectFile + "</H1>\r\n<P>"),
            std::string::npos);
  temp_.Write("Documentation/Title.htm", "<H1>Own title</H1>\r\n");
  Run();
  EXPECT_NE(ReadFileText(OutputPath()).find("<Body>\r\n<H1>Own title</H1>\r\n"), std::string::npos);
}

TEST_F(DocumentFixture, WritesLongLinesWhole) {
  std::string longLine = "x := '" + std::string(5000, 'a') + "';";
  temp_.Write("Main.pas", longLine + "\r\n");
  Model().AddUnit(UnitEntry{"Main", "", ""});
  std::string longLabel(3000, 'b');
  AddRoot(Model().DependencyTree, longLabel);
  options_.DependencyOutput = kOutputAsText;
  options_.SyntaxPrint = false;
  options_.SourceLineNumbers = false;
  workspace_.Dependencies.CurDependencyTreeView = CurrentTree::All;
  EXPECT_EQ(Run(), DocResult::Written);
  std::string text = ReadFileText(OutputPath());
  EXPECT_NE(text.find(std::string(5000, 'a') + "';"), std::string::npos);
  EXPECT_NE(text.find(longLabel + "<BR>"), std::string::npos);
}

TEST_F(DocumentFixture, DeclaresUtf8ForASourceListingInUtf8) {
  temp_.Write("Main.pas",
              "\xEF\xBB\xBFunit Main; // Gr\xC3\xBC\xC3\x9F"
              "e\r\n");
  Model().AddUnit(UnitEntry{"Main", "", ""});
  Run();
  std::string text = ReadFileText(OutputPath());
  EXPECT_NE(text.find("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
            std::string::npos);
  EXPECT_EQ(text.find("\xEF\xBB\xBF"), std::string::npos);
  temp_.Write("Main.pas",
              "unit Main; // Gr\xFC\xDF"
              "e\r\n");
  Run();
  EXPECT_NE(ReadFileText(OutputPath()).find("charset=windows-1252"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick

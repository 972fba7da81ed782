#include "report/documentation_writer.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/open_project.h"
#include "report/report_options.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::ReplaceAll;
using Texts = std::vector<std::string>;

const std::string kDocumentsDir = TARNWICK_FIXTURES_DIR "/documents/";
constexpr std::time_t kNow = 1700000000;

// A written document with the parts that vary masked: the time stamp as "*", the date of `now` as
// "{DATE}", the folder (ending with "/") as "{FOLDER}/", and its line ends as LF.
std::string MaskedDocument(std::string text, std::time_t now, const std::string& folder) {
  text = std::regex_replace(text, std::regex("TimeStamp\" content=\"[^\"]*\""), "TimeStamp\" content=\"*\"");
  return ReplaceAll(ReplaceAll(ReplaceAll(text, ShortDateText(now), "{DATE}"), folder, "{FOLDER}/"), "\r\n", "\n");
}

/// A project, its options and the main window's state, set up in a temporary folder.
class DocumentFixture : public testing::WorkspaceTest {
 protected:
  DocumentFixture() {
    Model().ProjectFile = folder_.Path() + "Demo.dpr";
    Model().ProjectFolder = folder_.Path();
    Model().DocumentationFolder = folder_.Path() + "Documentation/";
    request_.Now = kNow;
  }

  std::string OutputPath() { return Model().DocumentationFolder + "Demo.html"; }
  std::string Output() { return ReadFileText(OutputPath()); }
  DocResult Run() { return WriteDocumentation(workspace_.Subject(), options_, ui_, request_); }

  void AddImage(std::string form, std::string view, std::string file, std::string status, bool selected) {
    auto picture = std::make_shared<Picture>(Picture{Picture::Format::Jpeg, 640, 480, {}, 24, "jpeg bytes", 0});
    Model().Images.push_back(ImageEntry{form, view, form, file, status, picture, selected});
  }

  ReportOptions options_;
  DocumentationRequest request_;
};

// ---------------------------------------------------------------------------------------------
// Golden cases: tests/fixtures/documents/<case>/case.txt describes the project and the options,
// expected.html is the document (time stamp "*", the date "{DATE}", the project folder
// "{FOLDER}/", LF line ends; TARNWICK_UPDATE_GOLDEN=1 rewrites it). Units' ".pas" files of the case go to the project folder,
// "Title.htm" to the documentation folder, "ProgramTitle.htm" to the program folder as "Title.htm".
//
// case.txt lines: "demo" (the demo project opened, first), "unit NAME [FORM]", "select UNIT", "unused TEXT", "dep LEVEL TEXT",
// "obj LEVEL TEXT", "prop TEXT" (of the last obj), "filtered-dep LEVEL TEXT",
// "filtered-obj LEVEL TEXT", "view dependencies|objects all|filtered|none",
// "image FORM VIEW|- FILE STATUS [selected]", "uses UNIT UNIT interface|implementation",
// "option NAME=VALUE", "result NAME" (of DocResult, Written when not given), "message KIND: TEXT"
// (each message shown, in order, "{FOLDER}/" for the project folder) and "progress ENTRY" (the
// status log, see RecordingProgressSink; not compared when not given).

class GoldenDocument : public DocumentFixture, public ::testing::WithParamInterface<std::string> {
 protected:
  template <typename Forest>
  static auto* AddAtLevel(Forest& forest, int level, std::string text) {
    if (level == 0) return AddRoot(forest, std::move(text));
    auto* parent = forest.back().get();
    for (int i = 1; i < level; ++i) parent = parent->Children.back().get();
    return parent->AddChild(std::move(text));
  }
  static std::string RestOf(std::istringstream& in) {
    std::string text;
    std::getline(in >> std::ws, text);
    return text;
  }
  size_t UsesIndex(const std::string& unit) {
    std::vector<std::string>& units = Model().Uses.Units;
    const size_t found = std::find(units.begin(), units.end(), unit) - units.begin();
    if (found == units.size()) units.push_back(unit);
    return found;
  }
  void ApplyLine(const std::string& keyword, std::istringstream& rest);

  std::string expectedResult_ = "Written";
  Texts expectedMessages_, expectedProgress_;
  ObjectNode* lastObject_ = nullptr;
};

void GoldenDocument::ApplyLine(const std::string& keyword, std::istringstream& in) {
  std::string a, b;
  int level = 0;
  if (keyword == "demo") {
    OpenProject(workspace_, ui_, OpenHooks(), testing::CopyDemoProject(folder_));
  } else if (keyword == "unit") {
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
    (a == "dependencies" ? workspace_.Dependencies.CurDependencyTreeView : workspace_.Objects.CurObjectTreeView) =
        b == "all" ? CurrentTree::All : b == "filtered" ? CurrentTree::Filtered : CurrentTree::None;
  } else if (keyword == "image") {
    std::string file, status, selected;
    in >> a >> b >> file >> status >> selected;
    AddImage(a, b == "-" ? "" : b, file, status, selected == "selected");
  } else if (keyword == "option") {
    std::string text = RestOf(in), error;
    size_t equals = text.find('=');
    ASSERT_TRUE(OverrideReportOption(options_, text.substr(0, equals), text.substr(equals + 1), error)) << error;
  } else if (keyword == "uses") {
    std::string section;
    in >> a >> b >> section;
    const UsesSection uses = section == "interface" ? UsesSection::Interface : UsesSection::Implementation;
    Model().Uses.Edges.push_back({UsesIndex(a), UsesIndex(b), uses});
  } else if (keyword == "result") {
    expectedResult_ = RestOf(in);
  } else if (keyword == "message") {
    expectedMessages_.push_back(ReplaceAll(RestOf(in), "{FOLDER}/", folder_.Path()));
  } else if (keyword == "progress") {
    expectedProgress_.push_back(RestOf(in));
  } else {
    FAIL() << "unknown line " << keyword;
  }
}

TEST_P(GoldenDocument, GivesItsExpectedDocument) {
  const fs::path folder = kDocumentsDir + GetParam();
  std::ifstream description(folder / "case.txt", std::ios::binary);
  for (std::string line, keyword; std::getline(description, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    in >> keyword;
    ApplyLine(keyword, in);
  }
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".pas") folder_.Write(name, ReadFileText(entry.path()));
    if (name == "Title.htm") folder_.Write("Documentation/" + name, ReadFileText(entry.path()));
    if (name == "ProgramTitle.htm") {
      request_.ProgramFolder = folder_.Path() + "Program";
      folder_.Write("Program/Title.htm", ReadFileText(entry.path()));
    }
  }
  Model().Uses.Cycles = FindCycleGroups(Model().Uses);
  const char* const results[] = {"Declined", "NoFolder", "NothingSelected", "Written", "WrittenWithErrors", "NoFile"};
  EXPECT_EQ(results[static_cast<int>(Run())], expectedResult_);
  EXPECT_EQ(prompter_.Shown(), expectedMessages_);
  if (!expectedProgress_.empty()) {
    EXPECT_EQ(progress_.Log(), expectedProgress_);
  }
  std::string actual = MaskedDocument(Output(), kNow, folder_.Path());
  std::string expected = ReadFileText(folder / "expected.html");
  // Rewrites the expected file, for a look at the difference before it is committed.
  if (std::getenv("TARNWICK_UPDATE_GOLDEN")) std::ofstream(folder / "expected.html", std::ios::binary) << actual;
  EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Documents, GoldenDocument, ::testing::ValuesIn(testing::SubfolderNames(kDocumentsDir)),
                         [](const auto& info) { return info.param; });

// ---------------------------------------------------------------------------------------------
// Preparation: the overwrite question. (A folder or file that cannot be made: tests/app/faults_test.cpp.)

TEST_F(DocumentFixture, KeepsAnExistingFileWhenTheUserCancels) {
  folder_.Write("Documentation/Demo.html", "old");
  prompter_.QueueAnswer(MessageAnswer::Cancel);
  EXPECT_EQ(Run(), DocResult::Declined);
  EXPECT_EQ(prompter_.Shown(), Texts{"confirmation: Overwrite file \r\r" + OutputPath() + "?\r"});
  EXPECT_EQ(prompter_.Messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(Output(), "old");
}

// ---------------------------------------------------------------------------------------------
// Failures while writing end the run; the old document stays as it was.

TEST_F(DocumentFixture, AnIndentThatIsNoNumberStopsTheRunAndKeepsTheOldDocument) {
  folder_.Write("Documentation/Demo.html", "old");
  prompter_.QueueAnswer(MessageAnswer::Ok);
  AddRoot(Model().DependencyTree, "MainForm");
  workspace_.Dependencies.CurDependencyTreeView = CurrentTree::All;
  options_.DependencyOutput = kOutputAsText;
  options_.IndentSpaces = "x";
  EXPECT_EQ(Run(), DocResult::NoFile);
  EXPECT_EQ(prompter_.Texts().back(),
            "There was an error during creation of the HTML file.\r\r'x' is not a valid integer value");
  EXPECT_EQ(Output(), "old");
  EXPECT_EQ(fs::directory_iterator(Model().DocumentationFolder)->path().filename(), "Demo.html");
  EXPECT_EQ(Texts(progress_.Log().end() - 2, progress_.Log().end()), (Texts{"text:", "reset"}));
}

TEST_F(DocumentFixture, AnUnreadableTitleIsReportedAndTheBuiltInTitleUsed) {
  Model().AddUnit(UnitEntry{"Main", "MainForm", ""});
  folder_.Write("Main.pas", "unit Main;");
  // A FIFO would wait for a writer forever if it were opened for reading as a file is.
  std::filesystem::create_directories(Model().DocumentationFolder);
  ASSERT_EQ(::mkfifo((Model().DocumentationFolder + "Title.htm").c_str(), 0600), 0);
  EXPECT_EQ(Run(), DocResult::WrittenWithErrors);
  EXPECT_EQ(prompter_.Texts(), Texts{"Could not read the title page \r\r" + Model().DocumentationFolder +
                                     "Title.htm\r\rNot a regular file\r\rThe built-in title page is used."});
  EXPECT_NE(Output().find("<H1 CLASS=Page>Project: "), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Form images: new pictures are saved before their index entry.

TEST_F(DocumentFixture, SavesANewImageBeforeItsEntry) {
  AddImage("MainForm", "Details", "Main_Details.jpg", "New", false);
  EXPECT_EQ(Run(), DocResult::Written);
  EXPECT_EQ(Model().Images[0].Status, "Disk");
  EXPECT_EQ(ReadFileText(Model().DocumentationFolder + "Main_Details.jpg"), "jpeg bytes");
  EXPECT_NE(Output().find("<td><IMG SRC=\"Main_Details.jpg\" HEIGHT=480 WIDTH=640></td><br>"), std::string::npos);
}

TEST_F(DocumentFixture, AnImageThatCannotBeSavedEndsTheRunWithoutADocument) {
  fs::create_directories(Model().DocumentationFolder + "Main.jpg");
  AddImage("MainForm", "", "Main.jpg", "New", false);
  EXPECT_EQ(Run(), DocResult::NoFile);
  EXPECT_EQ(Model().Images[0].Status, "New");
  // The image list has shown its own failure; the run adds no second message.
  for (const std::string& text : prompter_.Texts()) EXPECT_EQ(text.find("creation of the HTML"), std::string::npos);
  EXPECT_FALSE(fs::exists(OutputPath()));
}

// A graph picture that cannot be written is reported and not shown; the golden case
// "circular_references" shows both sections written.
TEST_F(DocumentFixture, AGraphThatCannotBeDrawnIsReportedAndLeftOut) {
  AddRoot(Model().DependencyTree, "MainForm");
  workspace_.Dependencies.CurDependencyTreeView = CurrentTree::All;
  options_.DependencyOutput = kOutputAsText;
  options_.DependencyCycles = options_.DependencyGraph = true;
  Model().Uses.Units = {"Main", "Edit"};
  Model().Uses.Edges = {{0, 1, UsesSection::Interface}};
  fs::create_directories(Model().DocumentationFolder + "DependencyGraph.svg/x");
  ASSERT_EQ(Run(), DocResult::Written);
  EXPECT_NE(Output().find("<P>\r\nNo circular references.<BR>\r\n</P>"), std::string::npos);
  EXPECT_EQ(Output().find("<IMG SRC=\"DependencyGraph.svg\""), std::string::npos);
  ASSERT_EQ(prompter_.Messages().size(), 1u);
  EXPECT_TRUE(prompter_.Texts().back().starts_with("Could not draw the dependency graph.\r\r")) << prompter_.Texts().back();
}

}  // namespace
}  // namespace tarnwick

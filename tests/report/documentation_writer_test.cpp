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
#include "support/case_file.h"
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
  text = std::regex_replace(text, std::regex("TimeStamp\" content=\"[^\"]*\""),
                            "TimeStamp\" content=\"*\"");
  return ReplaceAll(ReplaceAll(ReplaceAll(text, ShortDateText(now), "{DATE}"), folder, "{FOLDER}/"),
                    "\r\n", "\n");
}

// ---------------------------------------------------------------------------------------------
// Golden cases: tests/fixtures/documents/<case>/ (its README gives the lines of case.txt).

/// A project, its options and the main window's state, set up in a temporary folder as a case
/// describes it.
class GoldenDocument : public testing::WorkspaceTest,
                       public ::testing::WithParamInterface<std::string> {
 protected:
  GoldenDocument() {
    Model().ProjectFile = folder_.Path() + "Demo.dpr";
    Model().ProjectFolder = folder_.Path();
    Model().DocumentationFolder = folder_.Path() + "Documentation/";
    request_.Now = kNow;
  }

  DocResult Run() { return WriteDocumentation(workspace_.Subject(), options_, ui_, request_); }

  void AddImage(std::string form, std::string view, std::string file, std::string status,
                bool selected) {
    auto picture = std::make_shared<Picture>(
        Picture{Picture::Format::Jpeg, 640, 480, {}, 24, "jpeg bytes", 0});
    Model().Images.push_back(ImageEntry{form, view, form, file, status, picture, selected});
  }
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

  ReportOptions options_;
  DocumentationRequest request_;
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
  } else if (keyword == "dep") {
    in >> level;
    AddAtLevel(Model().DependencyTree, level, RestOf(in));
  } else if (keyword == "obj") {
    in >> level;
    lastObject_ = AddAtLevel(Model().ObjectTree, level, RestOf(in));
  } else if (keyword == "prop") {
    lastObject_->Data->Properties.push_back(RestOf(in));
  } else if (keyword == "view") {
    in >> a >> b;
    CurrentTree& view = a == "dependencies" ? workspace_.Dependencies.CurDependencyTreeView
                                            : workspace_.Objects.CurObjectTreeView;
    view = b == "all" ? CurrentTree::All
                      : (b == "filtered" ? CurrentTree::Filtered : CurrentTree::None);
  } else if (keyword == "image") {
    std::string file, status, selected;
    in >> a >> b >> file >> status >> selected;
    AddImage(a, b == "-" ? "" : b, file, status, selected == "selected");
  } else if (keyword == "option") {
    std::string text = RestOf(in), error;
    size_t equals = text.find('=');
    ASSERT_TRUE(
        OverrideReportOption(options_, text.substr(0, equals), text.substr(equals + 1), error))
        << error;
  } else if (keyword == "uses") {
    std::string section;
    in >> a >> b >> section;
    const UsesSection uses =
        section == "interface" ? UsesSection::Interface : UsesSection::Implementation;
    Model().Uses.Edges.push_back({UsesIndex(a), UsesIndex(b), uses});
  } else if (keyword == "indent") {
    options_.IndentSpaces = RestOf(in);  // unchecked, as a stored value could be
  } else if (keyword == "fifo") {  // never opened for reading: it would wait for a writer
    fs::create_directories(Model().DocumentationFolder);
    ASSERT_EQ(::mkfifo((Model().DocumentationFolder + RestOf(in)).c_str(), 0600), 0);
  } else if (keyword == "answer") {
    prompter_.QueueAnswer(RestOf(in) == "ok" ? MessageAnswer::Ok : MessageAnswer::Cancel);
  } else if (keyword == "result") {
    expectedResult_ = RestOf(in);
  } else if (keyword == "message") {
    expectedMessages_.push_back(
        ReplaceAll(testing::Unescape(RestOf(in)), "{FOLDER}/", folder_.Path()));
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
  if (fs::exists(folder / "project")) {
    fs::copy(folder / "project", folder_.Path(), fs::copy_options::recursive);
  }
  if (fs::exists(folder / "program")) {
    request_.ProgramFolder = folder_.Path() + "Program";
    fs::copy(folder / "program", request_.ProgramFolder);
  }
  Model().Uses.Cycles = FindCycleGroups(Model().Uses);
  const char* const results[] = {"Declined", "NoFolder",          "NothingSelected",
                                 "Written",  "WrittenWithErrors", "NoFile"};
  EXPECT_EQ(results[static_cast<int>(Run())], expectedResult_);
  EXPECT_EQ(prompter_.Shown(), expectedMessages_);
  if (!expectedProgress_.empty()) {
    EXPECT_EQ(progress_.Log(), expectedProgress_);
  }
  const std::string written = ReadFileText(Model().DocumentationFolder + "Demo.html");
  std::string actual = MaskedDocument(written, kNow, folder_.Path());
  std::string expected = ReadFileText(folder / "expected.html");
  // Rewrites the expected file, for a look at the difference before it is committed.
  if (std::getenv("TARNWICK_UPDATE_GOLDEN"))
    std::ofstream(folder / "expected.html", std::ios::binary) << actual;
  EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Documents, GoldenDocument,
                         ::testing::ValuesIn(testing::SubfolderNames(kDocumentsDir)),
                         [](const auto& info) { return info.param; });

// ---------------------------------------------------------------------------------------------
// The overwrite question and a folder or file that cannot be made are the command line's cases.

// New pictures are saved before their index entry.
TEST_F(GoldenDocument, SavesANewImageBeforeItsEntry) {
  AddImage("MainForm", "Details", "Main_Details.jpg", "New", false);
  EXPECT_EQ(Run(), DocResult::Written);
  EXPECT_EQ(Model().Images[0].Status, "Disk");
  EXPECT_EQ(ReadFileText(Model().DocumentationFolder + "Main_Details.jpg"), "jpeg bytes");
}

}  // namespace
}  // namespace tarnwick

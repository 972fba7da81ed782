// The layers of the source tree, read from the includes: every folder may include only the folders
// below it, so dependencies point one way and the core never sees a window toolkit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Folders = std::set<std::string>;

const Folders kCore = {"platform", "analysis", "views", "capture", "report"};

Folders With(Folders base, const Folders& more) {
  base.insert(more.begin(), more.end());
  return base;
}

// Which folders each folder of src/ may include (itself always).
const std::map<std::string, Folders>& AllowedIncludes() {
  static const std::map<std::string, Folders> allowed = {
      {"platform", {}},
      {"platform/x11", {"platform"}},
      {"analysis", {"platform"}},
      {"views", {"platform", "analysis"}},
      {"capture", {"platform", "analysis"}},
      {"report", {"platform", "analysis", "views", "capture"}},
      {"app", kCore},
      {"app/cli", With(kCore, {"app"})},
      {"platform/qt", {"platform"}},
      {"views/qt", {"platform", "platform/qt", "analysis", "views"}},
      {"capture/qt", {"platform", "platform/qt", "platform/x11", "analysis", "capture"}},
      {"report/qt", {"platform", "platform/qt", "analysis", "views", "capture", "report"}},
      {"app/qt", With(kCore, {"app", "platform/qt", "platform/x11", "views/qt", "capture/qt", "report/qt"})},
  };
  return allowed;
}

struct Include {
  std::string File;
  std::string Target;
};

// The folder of a project header: "app/qt/main_form.h" -> "app/qt"; empty for other headers.
std::string FolderOf(const std::string& header) {
  size_t slash = header.rfind('/');
  return slash == std::string::npos ? "" : header.substr(0, slash);
}

class Layering : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path src = fs::path(TARNWICK_SOURCE_DIR) / "src";
    const std::regex projectInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
    const std::regex qtInclude(R"(^\s*#\s*include\s*<Q[A-Za-z]*[>/])");
    for (const auto& item : fs::recursive_directory_iterator(src)) {
      if (!item.is_regular_file()) continue;
      std::string ext = item.path().extension().string();
      if (ext != ".h" && ext != ".cpp") continue;
      std::string relative = fs::relative(item.path(), src).generic_string();
      std::ifstream in(item.path());
      for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (std::regex_search(line, match, projectInclude)) projectIncludes_.push_back({relative, match[1]});
        if (std::regex_search(line, qtInclude)) qtIncludes_.push_back({relative, line});
      }
    }
  }

  std::vector<Include> projectIncludes_;
  std::vector<Include> qtIncludes_;
};

TEST_F(Layering, EveryFolderIncludesOnlyTheFoldersBelowIt) {
  ASSERT_FALSE(projectIncludes_.empty());
  for (const Include& include : projectIncludes_) {
    const std::string from = FolderOf(include.File);
    const std::string to = FolderOf(include.Target);
    if (to.empty() || to == from) continue;  // generated headers such as version.h, or the same folder
    auto allowed = AllowedIncludes().find(from);
    ASSERT_NE(allowed, AllowedIncludes().end()) << "src/" << from << " is missing from the layer table";
    EXPECT_TRUE(allowed->second.contains(to)) << include.File << " includes " << include.Target;
  }
}

TEST_F(Layering, OnlyTheQtFacesIncludeQt) {
  for (const Include& include : qtIncludes_) {
    const std::string folder = FolderOf(include.File);
    EXPECT_TRUE(folder.ends_with("/qt")) << include.File << ": " << include.Target;
  }
}

}  // namespace

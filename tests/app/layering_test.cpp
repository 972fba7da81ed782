// The layers of the source tree, read from the includes: every folder may include only the folders
// below it, so dependencies point one way and the core never sees a window toolkit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

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

// The folder of a project header: "app/qt/main_form.h" -> "app/qt"; empty for other headers.
std::string FolderOf(const std::string& header) {
  size_t slash = header.rfind('/');
  return slash == std::string::npos ? "" : header.substr(0, slash);
}

TEST(Layering, EveryFolderIncludesOnlyTheFoldersBelowItAndOnlyTheQtFacesIncludeQt) {
  const fs::path src = fs::path(TARNWICK_SOURCE_DIR) / "src";
  const std::regex projectInclude(R"(^\s*#\s*include\s*"([^"]+)\")");
  const std::regex qtInclude(R"(^\s*#\s*include\s*<Q[A-Za-z]*[>/])");
  size_t includes = 0;
  for (const auto& item : fs::recursive_directory_iterator(src)) {
    const std::string ext = item.path().extension().string();
    if (!item.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    const std::string file = fs::relative(item.path(), src).generic_string();
    const std::string from = FolderOf(file);
    const auto allowed = AllowedIncludes().find(from);
    ASSERT_NE(allowed, AllowedIncludes().end()) << "src/" << from << " is missing from the layer table";
    std::ifstream in(item.path());
    for (std::string line; std::getline(in, line);) {
      std::smatch match;
      EXPECT_TRUE(from.ends_with("/qt") || !std::regex_search(line, qtInclude)) << file << ": " << line;
      if (!std::regex_search(line, match, projectInclude)) continue;
      ++includes;
      // Generated headers such as version.h have no folder; a folder may include itself.
      const std::string to = FolderOf(match[1]);
      EXPECT_TRUE(to.empty() || to == from || allowed->second.contains(to)) << file << " includes " << match[1];
    }
  }
  EXPECT_GT(includes, 0u);
}

}  // namespace

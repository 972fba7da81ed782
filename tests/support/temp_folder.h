#pragma once

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::testing {

/// A fresh folder under the system's temporary folder, removed with its content on destruction.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern + "/";
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// The folder's path, ending with "/".
  const std::string& Path() const { return path_; }
  /// Writes a file below the folder (creating sub folders) and gives its full path.
  std::string Write(std::string_view relativePath, std::string_view content) const {
    const std::filesystem::path full = std::filesystem::path(path_) / relativePath;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream(full, std::ios::binary).write(content.data(), static_cast<std::streamsize>(content.size()));
    return full.string();
  }

 private:
  std::string path_;
};

/// Reads a whole file, empty when it cannot be read.
inline std::string ReadFileText(const std::string& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

/// The names of a folder's sub folders, sorted: the cases of a golden test.
inline std::vector<std::string> SubfolderNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

/// Copies the demo project to `folder`/Demo with only the pictures its documentation folder keeps
/// in the repository, and gives the project file's path.
inline std::string CopyDemoProject(const TempFolder& folder) {
  std::filesystem::copy(TARNWICK_SOURCE_DIR "/examples/Demo", folder.Path() + "Demo",
                        std::filesystem::copy_options::recursive);
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path() + "Demo/Documentation")) {
    const std::string name = entry.path().filename().string();
    if (name != "MainUnit.jpg" && name != "EditUnit_Details.bmp") std::filesystem::remove(entry.path());
  }
  return folder.Path() + "Demo/Demo.dpr";
}

/// Replaces every `from` in `text` by `to`.
inline std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

}  // namespace tarnwick::testing

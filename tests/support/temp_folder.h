#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::testing {

/// A fresh folder under the system's temporary folder, removed with its content on destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// The folder's path, ending with "/".
  const std::string& Path() const { return path_; }
  /// Writes a file below the folder (creating sub folders) and gives its full path.
  std::string Write(std::string_view relativePath, std::string_view content) const;

 private:
  std::string path_;
};

/// Reads a whole file, empty when it cannot be read.
std::string ReadFileText(const std::string& path);

/// The names of a folder's sub folders, sorted: the cases of a golden test.
std::vector<std::string> SubfolderNames(const std::string& folder);

/// Copies the demo project to `folder`/Demo with only the pictures its documentation folder keeps
/// in the repository, and gives the project file's path.
std::string CopyDemoProject(const TempFolder& folder);

/// Replaces every `from` in `text` by `to`.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

}  // namespace tarnwick::testing

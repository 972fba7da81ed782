#pragma once

#include <string>
#include <string_view>

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

}  // namespace tarnwick::testing

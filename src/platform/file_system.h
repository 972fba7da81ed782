#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

/// Turns a path as a Windows project writes it into a path of this host: "\" becomes "/", and
/// each component that does not exist with its exact letter case is looked up without regard to
/// case (the exact match wins, then the first candidate in sorted order). Components that exist
/// in no case are kept as written. A drive-letter or share path stays a path that does not exist.
std::string ToHostPath(std::string_view path);

bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);
/// Creates one folder level. True when it was created or already exists as a folder.
bool CreateFolder(std::string_view path, std::string* error = nullptr);
bool DeleteFile(std::string_view path, std::string* error = nullptr);

/// The largest input file read: real sources and forms are far below it.
inline constexpr uint64_t kMaxInputFileSize = 512ull * 1024 * 1024;

/// Reads a whole regular file (symbolic links followed) of at most `kMaxInputFileSize` bytes into
/// memory. Anything else (a folder, a FIFO, a device) is refused without waiting on it. On failure
/// gives nothing and sets `error` to the reason.
std::optional<std::string> ReadWholeFile(std::string_view path, std::string* error = nullptr);
/// Reads a whole text file (a project, unit, form or template): as `ReadWholeFile`, except that
/// a file in UTF-16 with its byte order mark is given as its text in UTF-8.
std::optional<std::string> ReadTextFile(std::string_view path, std::string* error = nullptr);
/// How hard a write insists that the data has reached the disk before the file is replaced.
enum class Durability {
  Synced,  // flushed before the rename: for what the user made (pictures, settings)
  Plain,   // not flushed: for output the program can write again (tree pictures)
};

/// A file written through a temporary file beside its path and renamed over it by `Commit`, so
/// nobody sees it half written and a failure leaves the old file as it was. A symbolic link at
/// the path is replaced, never written through. An open file that is not committed is removed
/// when the object ends. Writes go straight to the system: the caller buffers.
class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile() { Abandon(); }
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  /// Creates the temporary file beside `path`, with the mode a plain create would give or that
  /// of the file it will replace.
  bool Open(std::string_view path, std::string* error = nullptr);
  bool IsOpen() const { return fd_ >= 0; }
  /// Appends `data`; after a failure nothing more is written and `Commit` fails with its text.
  bool Write(std::string_view data);
  /// Closes the temporary file and renames it over the path.
  bool Commit(Durability durability, std::string* error = nullptr);
  /// Closes and removes the temporary file; the file at the path stays as it was.
  void Abandon();

 private:
  std::string host_;
  std::string temp_;
  int fd_ = -1;
  int failure_ = 0;  // errno of the first failed write
};

/// Writes `data` to a temporary file beside `path` and renames it over `path`, so a failure never
/// leaves a half-written file in place of the old one.
bool WriteFileAtomic(std::string_view path, std::string_view data, std::string* error = nullptr,
                     Durability durability = Durability::Synced);

/// The names (without folder) of the files in the folder part of `pattern` whose names match its
/// file part ("Unit1*.bmp", "*.pas") without regard to case, sorted without regard to case.
/// Sub folders are not listed. A missing folder lists nothing.
std::vector<std::string> ListFiles(std::string_view pattern);

/// While one lives, `ToHostPath` reads each folder's listing at most once for its case-insensitive
/// lookups. For one open or one document run: files created meanwhile may be missed.
class FolderListingCache {
 public:
  FolderListingCache();
  ~FolderListingCache();
  FolderListingCache(const FolderListingCache&) = delete;
  FolderListingCache& operator=(const FolderListingCache&) = delete;
};

}  // namespace tarnwick

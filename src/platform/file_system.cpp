#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <unordered_map>

#include "platform/text_encoding.h"
#include "platform/text_util.h"
#include "platform/win_path.h"

namespace tarnwick {

namespace {

std::string SystemError() { return std::strerror(errno); }

constexpr const char* kTooLarge = "The file is larger than 512 MB";

// Folders are walked without needing the right to list them, as a path lookup would.
#ifdef O_PATH
constexpr int kWalkFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kWalkFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// The names of one folder by their lower-case form, each with the first candidate in sorted order.
using FolderIndex = std::unordered_map<std::string, std::string>;

struct FolderId {
  dev_t Device;
  ino_t Inode;
  bool operator==(const FolderId&) const = default;
};

struct FolderIdHash {
  size_t operator()(const FolderId& id) const { return std::hash<ino_t>()(id.Inode) * 31 + id.Device; }
};

// The listings read while a `FolderListingCache` lives; none outside one.
thread_local int cacheDepth = 0;
thread_local std::unordered_map<FolderId, FolderIndex, FolderIdHash> cachedFolders;

FolderIndex ReadFolderIndex(int folderFd) {
  FolderIndex index;
  int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
  if (dir == nullptr) {
    if (listFd >= 0) ::close(listFd);
    return index;
  }
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    auto [found, inserted] = index.try_emplace(ToLowerAscii(name), name);
    if (!inserted && name < found->second) found->second = std::move(name);
  }
  ::closedir(dir);
  return index;
}

// Finds `component` in the open folder without regard to case: the exact name first, then the
// first case-insensitive match in sorted order. Gives the component unchanged when nothing matches.
std::string ResolveComponent(int folderFd, const std::string& component) {
  struct stat info;
  if (component == "." || component == ".." || ::fstatat(folderFd, component.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
    return component;
  std::string key = ToLowerAscii(component);
  if (cacheDepth == 0) {
    FolderIndex index = ReadFolderIndex(folderFd);
    auto found = index.find(key);
    return found == index.end() ? component : found->second;
  }
  if (::fstat(folderFd, &info) != 0) return component;
  auto [cached, inserted] = cachedFolders.try_emplace(FolderId{info.st_dev, info.st_ino});
  if (inserted) cached->second = ReadFolderIndex(folderFd);
  auto found = cached->second.find(key);
  return found == cached->second.end() ? component : found->second;
}

// The components of a path with "." and empty ones dropped and ".." taken against the component
// before it, as Windows normalises a path before it looks anything up.
std::vector<std::string> NormalizedComponents(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = std::min(path.find('/', start), path.size());
    std::string component = path.substr(start, end - start);
    start = end + 1;
    if (component.empty() || component == ".") continue;
    if (component == ".." && !parts.empty() && parts.back() != "..") {
      parts.pop_back();
      continue;
    }
    parts.push_back(std::move(component));
  }
  return parts;
}

// Resolves each component inside the folder before it, walking down with folder descriptors so a
// long path costs one lookup per component. Once a component is no folder, the rest stay as written.
void ResolveComponents(bool absolute, std::vector<std::string>& parts) {
  int folderFd = ::open(absolute ? "/" : ".", kWalkFlags);
  for (std::string& part : parts) {
    if (folderFd < 0) return;
    part = ResolveComponent(folderFd, part);
    int next = ::openat(folderFd, part.c_str(), kWalkFlags);
    ::close(folderFd);
    folderFd = next;
  }
  if (folderFd >= 0) ::close(folderFd);
}

// Reads an open regular file up to the input limit; a file that grows past it while being read
// is refused as well.
bool ReadAll(int fd, std::string& data, std::string& error) {
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    error = SystemError();
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
    return false;
  }
  if (static_cast<uint64_t>(info.st_size) > kMaxInputFileSize) {
    error = kTooLarge;
    return false;
  }
  data.reserve(static_cast<size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) return true;
    if (count < 0) {
      if (errno == EINTR) continue;
      error = SystemError();
      return false;
    }
    if (data.size() + static_cast<size_t>(count) > kMaxInputFileSize) {
      error = kTooLarge;
      return false;
    }
    data.append(buffer, static_cast<size_t>(count));
  }
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t count = ::write(fd, data.data(), data.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

// Makes a rename durable: the folder entry that now names the new file is flushed too.
void SyncFolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string ToHostPath(std::string_view path) {
#ifdef _WIN32
  return std::string(path);
#else
  std::string result(path);
  std::replace(result.begin(), result.end(), '\\', '/');
  if (HasDrivePart(path)) return result;
  bool absolute = !result.empty() && result[0] == '/';
  bool trailing = !result.empty() && result.back() == '/';
  std::vector<std::string> parts = NormalizedComponents(result);
  ResolveComponents(absolute, parts);
  std::string joined;
  if (absolute) joined.push_back('/');
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined.push_back('/');
    joined.append(parts[i]);
  }
  if (trailing && !parts.empty()) joined.push_back('/');
  if (joined.empty() && !result.empty()) joined.push_back('.');
  return joined;
#endif
}

bool FileExists(std::string_view path) {
  struct stat info;
  return ::stat(ToHostPath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(std::string_view path) {
  struct stat info;
  return ::stat(ToHostPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(std::string_view path, std::string* error) {
  std::string host = ToHostPath(path);
  if (::mkdir(host.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(host))) return true;
  if (error) *error = SystemError();
  return false;
}

bool DeleteFile(std::string_view path, std::string* error) {
  if (::unlink(ToHostPath(path).c_str()) == 0) return true;
  if (error) *error = SystemError();
  return false;
}

std::optional<std::string> ReadWholeFile(std::string_view path, std::string* error) {
  // Not blocking on open: a FIFO would wait for a writer forever; it is refused below instead.
  int fd = ::open(ToHostPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  std::string data;
  std::string reason;
  bool ok = false;
  if (fd < 0) {
    reason = SystemError();
  } else {
    ok = ReadAll(fd, data, reason);
    ::close(fd);
  }
  if (!ok) {
    if (error) *error = std::move(reason);
    return std::nullopt;
  }
  return data;
}

std::optional<std::string> ReadTextFile(std::string_view path, std::string* error) {
  std::optional<std::string> bytes = ReadWholeFile(path, error);
  if (!bytes) return bytes;
  if (std::optional<std::string> text = DecodeUtf16File(*bytes)) return text;
  return bytes;
}

bool AtomicFile::Open(std::string_view path, std::string* error) {
  Abandon();
  host_ = ToHostPath(path);
  // A folder in the file's place would only refuse the rename after all the work.
  struct stat existing;
  if (::stat(host_.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
    if (error) *error = std::strerror(EISDIR);
    return false;
  }
  temp_ = host_ + ".tmp.XXXXXX";
  fd_ = ::mkstemp(temp_.data());
  if (fd_ < 0) {
    if (error) *error = SystemError();
    return false;
  }
  failure_ = 0;
  // mkstemp creates the file for its owner only; give it the mode a plain create would, or the
  // mode of the file it replaces.
  mode_t mode = 0;
  if (::stat(host_.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd_, mode);
  return true;
}

bool AtomicFile::Write(std::string_view data) {
  if (fd_ < 0 || failure_ != 0) return false;
  if (WriteAll(fd_, data)) return true;
  failure_ = errno;
  return false;
}

bool AtomicFile::Commit(Durability durability, std::string* error) {
  if (fd_ < 0) {
    if (error) *error = std::strerror(EBADF);
    return false;
  }
  if (failure_ == 0 && durability == Durability::Synced && ::fsync(fd_) != 0) failure_ = errno;
  if (::close(fd_) != 0 && failure_ == 0) failure_ = errno;
  fd_ = -1;
  if (failure_ == 0 && ::rename(temp_.c_str(), host_.c_str()) != 0) failure_ = errno;
  if (failure_ != 0) {
    if (error) *error = std::strerror(failure_);
    ::unlink(temp_.c_str());
    return false;
  }
  if (durability == Durability::Synced) SyncFolderOf(host_);
  return true;
}

void AtomicFile::Abandon() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temp_.c_str());
  fd_ = -1;
}

bool WriteFileAtomic(std::string_view path, std::string_view data, std::string* error, Durability durability) {
  AtomicFile file;
  if (!file.Open(path, error)) return false;
  file.Write(data);
  return file.Commit(durability, error);
}

std::vector<std::string> ListFiles(std::string_view pattern) {
  std::string folder = ToHostPath(ExtractFilePath(pattern));
  std::string filePattern = ExtractFileName(pattern);
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return names;
  while (dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (!WildcardMatch(filePattern, name)) continue;
    struct stat info;
    std::string full = (folder.empty() ? std::string() : folder + (folder.back() == '/' ? "" : "/")) + name;
    if (::stat(full.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) names.push_back(std::move(name));
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
  return names;
}

FolderListingCache::FolderListingCache() { ++cacheDepth; }

FolderListingCache::~FolderListingCache() {
  if (--cacheDepth == 0) cachedFolders.clear();
}

}  // namespace tarnwick

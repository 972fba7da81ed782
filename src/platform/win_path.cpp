#include "platform/win_path.h"

#include "platform/text_util.h"

namespace tarnwick {

namespace {

size_t LastDelimiter(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsPathDelimiter(path[i - 1])) return i - 1;
  }
  return std::string_view::npos;
}

// Position of the extension's dot in the file name part, or npos.
size_t ExtensionDot(std::string_view path) {
  size_t dot = path.rfind('.');
  size_t delimiter = LastDelimiter(path);
  if (dot == std::string_view::npos) return dot;
  if (delimiter != std::string_view::npos && dot < delimiter) return std::string_view::npos;
  return dot;
}

}  // namespace

bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

std::string ExtractFileName(std::string_view path) {
  size_t delimiter = LastDelimiter(path);
  return std::string(delimiter == std::string_view::npos ? path : path.substr(delimiter + 1));
}

std::string ExtractFilePath(std::string_view path) {
  size_t delimiter = LastDelimiter(path);
  return delimiter == std::string_view::npos ? std::string() : std::string(path.substr(0, delimiter + 1));
}

std::string ExtractFileExt(std::string_view path) {
  size_t dot = ExtensionDot(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  size_t dot = ExtensionDot(path);
  std::string result(dot == std::string_view::npos ? path : path.substr(0, dot));
  result += ext;
  return result;
}

bool HasDrivePart(std::string_view path) {
  bool driveLetter = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  bool share = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
  return driveLetter || share;
}

std::string AppendExtensionIfMissing(std::string_view fileName, std::string_view ext) {
  std::string current = ToLowerAscii(ExtractFileExt(fileName));
  std::string result(fileName);
  if (current != ".pas" && current != ".dpr" && current != ".dfm") result += ext;
  return result;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  // Iterative matcher with one backtrack point: linear in practice, no recursion.
  size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace tarnwick

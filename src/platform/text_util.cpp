#include "platform/text_util.h"

#include <algorithm>

namespace tarnwick {

namespace {

// Primary sort weight of a byte: symbols, then digits, then letters (case folded), then bytes
// above 127. Letters of both cases share a weight, so case only breaks ties.
int PrimaryWeight(unsigned char c) {
  if (c >= '0' && c <= '9') return 0x100 + c;
  if (c >= 'A' && c <= 'Z') return 0x200 + (c + 32);
  if (c >= 'a' && c <= 'z') return 0x200 + c;
  if (c >= 128) return 0x300 + c;
  return c;
}

}  // namespace

std::string ToLowerAscii(std::string_view text) {
  std::string lower;
  AssignLowerAscii(lower, text);
  return lower;
}

void AssignLowerAscii(std::string& out, std::string_view text) {
  out.assign(text);
  for (char& c : out) c = LowerAscii(c);
}

int CompareNoCase(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
    auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

int CompareNames(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int wa = PrimaryWeight(static_cast<unsigned char>(a[i]));
    int wb = PrimaryWeight(static_cast<unsigned char>(b[i]));
    if (wa != wb) return wa < wb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  // Equal but for letter case: the first differing letter decides, lower case first.
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return (a[i] >= 'a' && a[i] <= 'z') ? -1 : 1;
  }
  return 0;
}

}  // namespace tarnwick

#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

/// Lower-cases ASCII letters only; other bytes stay as they are (8-bit text is not decoded).
inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }
std::string ToLowerAscii(std::string_view text);
/// Lower-cases `text` into `out`, reusing its storage (for loops over many names).
void AssignLowerAscii(std::string& out, std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);
/// <0, 0, >0 comparing ASCII letters without regard to case, byte by byte otherwise.
int CompareNoCase(std::string_view a, std::string_view b);
/// Removes blanks and tabs (only those) from both ends.
std::string_view TrimBlanks(std::string_view text);

/// The one comparison of every sorted list and tree: letters in alphabetical order whatever their
/// case, punctuation ("_" among it) before digits before letters, and only when two texts are
/// otherwise equal does a lower-case letter come before its upper-case twin. Gives <0, 0, >0.
int CompareNames(std::string_view a, std::string_view b);

/// Strict weak order over `CompareNames`, for std::sort and sorted containers.
struct NameLess {
  bool operator()(std::string_view a, std::string_view b) const { return CompareNames(a, b) < 0; }
};

}  // namespace tarnwick

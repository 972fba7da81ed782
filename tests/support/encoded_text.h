#pragma once

#include <string>

namespace tarnwick::testing {

/// UTF-8 text in the code page `codePage` (an iconv name), for writing project files.
std::string Encode(const std::string& utf8, const char* codePage);

}  // namespace tarnwick::testing

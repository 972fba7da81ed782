#pragma once

#include <iconv.h>

#include <string>

namespace tarnwick::testing {

/// UTF-8 text in the code page `codePage` (an iconv name), for writing project files.
inline std::string Encode(const std::string& utf8, const char* codePage) {
  iconv_t cd = ::iconv_open(codePage, "UTF-8");
  std::string out(utf8.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* target = out.data();
  size_t inLeft = utf8.size(), outLeft = out.size();
  ::iconv(cd, &in, &inLeft, &target, &outLeft);
  ::iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace tarnwick::testing

#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

/// The outcome of turning a form file into form text: on success `Text` holds the form text,
/// otherwise `Error` holds a short failure text ("Invalid stream format" or a more specific
/// variant of it).
struct FormConversion {
  bool Ok = false;
  std::string Text;
  std::string Error;
};

/// Converts the bytes of a form file into form text.
///
/// A binary form file (a resource header starting with 0xFF and the resource type 10, then the
/// component stream "TPF0" and its root object) is written out as indented form text whose lines
/// end with CR LF. A form file that is already text (after an optional UTF-8 byte order mark and
/// white space it starts with "object", "inherited" or "inline") is returned unchanged, without
/// the byte order mark. Anything else, and any damage in the component stream, fails.
///
/// Characters of wide (UTF-16) and UTF-8 strings are written as themselves up to code 127 and as
/// "#" and the decimal code above it; characters beyond the 16-bit range appear as the two codes
/// of their surrogate pair. Byte strings keep their bytes, which the project's code page decodes.
FormConversion ConvertFormFile(std::string_view fileBytes);

}  // namespace tarnwick

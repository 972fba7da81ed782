// Expands arbitrary bytes as a title template. Besides memory errors it checks what the field
// rules promise: text without "%" comes back unchanged, the output never holds more than the
// template's bytes plus one value per field, and every value inserted stands for a field opened
// with "%%".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "report/documentation_writer.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Values of bytes the input can hold but that stand out when counted.
  const std::string project = "\x01project\x01";
  const std::string date =
      "\x02"
      "date\x02";
  const std::string expanded = tarnwick::ExpandTitleTemplate(text, project, date);

  const size_t fields = Count(text, "%%");
  Require(expanded.size() <= text.size() + fields * project.size());
  if (text.find('%') == std::string::npos) Require(expanded == text);
  if (text.find('\x01') == std::string::npos && text.find('\x02') == std::string::npos) {
    Require(Count(expanded, project) + Count(expanded, date) <= fields);
  }
  // Expanding with empty values only removes bytes.
  Require(tarnwick::ExpandTitleTemplate(text, "", "").size() <= text.size());
  return 0;
}

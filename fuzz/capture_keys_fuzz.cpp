// Reads stored capture keys from arbitrary text. Besides memory errors it catches a parsed
// combination that does not read back as itself from its own text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/capture_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::optional<tarnwick::KeyCombination> keys = tarnwick::ParseKeyCombination(text);
  if (keys && tarnwick::ParseKeyCombination(tarnwick::KeyCombinationText(*keys)) != keys) std::abort();
  return 0;
}

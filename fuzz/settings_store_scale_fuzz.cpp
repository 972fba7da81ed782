// Reads arbitrary bytes repeated to a settings file of 256 KB: the loader must stay linear on
// any shape of text (the run's per-input timeout catches a quadratic path), and what it keeps must
// still read back to the same text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kLargeInput = 256 << 10;
  if (size == 0) return 0;
  std::string_view piece(reinterpret_cast<const char*>(data), size);
  std::string text;
  text.reserve(kLargeInput + size);
  while (text.size() < kLargeInput) text.append(piece);

  tarnwick::SettingsStore store("");
  store.FromText(text);
  std::string first = store.ToText();
  tarnwick::SettingsStore again("");
  again.FromText(first);
  if (again.ToText() != first) __builtin_trap();
  return 0;
}

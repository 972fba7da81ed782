// Reads arbitrary bytes as a settings file; what the store writes must read back to the same text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarnwick::SettingsStore store("");
  store.FromText(std::string_view(reinterpret_cast<const char*>(data), size));
  std::string first = store.ToText();
  for (const std::string& child : store.SubKeyNames("")) store.ValueNames(child);

  tarnwick::SettingsStore again("");
  again.FromText(first);
  if (again.ToText() != first) __builtin_trap();
  return 0;
}

#include "platform/registry_values.h"

#include <optional>

namespace tarnwick {

bool ReadBoolDefault(const RegistryKey& key, std::string_view name, bool defaultValue) {
  std::optional<int32_t> value = key.ReadInteger(name);
  return value ? *value != 0 : defaultValue;
}

int32_t ReadIntegerDefault(const RegistryKey& key, std::string_view name, int32_t defaultValue) {
  return key.ReadInteger(name).value_or(defaultValue);
}

std::string ReadStringDefault(const RegistryKey& key, std::string_view name,
                              std::string_view defaultValue) {
  std::optional<std::string> value = key.ReadString(name);
  return value ? *value : std::string(defaultValue);
}

}  // namespace tarnwick

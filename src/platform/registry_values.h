#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace tarnwick {

/// The registry key under which every setting of the program lives.
inline constexpr std::string_view kRegistryKey = "\\Software\\Merrowind\\Tarnwick";

/// The two failures of every save into that key: it cannot be opened or created, or a value
/// cannot be written.
inline constexpr std::string_view kSaveOpenFailed =
    "Could not save your settings because the registry key \\Software\\Merrowind\\Tarnwick could not "
    "be opened or created.";
inline constexpr std::string_view kSaveWriteFailed =
    "There was an error saving your settings while writing to the registry key "
    "\\Software\\Merrowind\\Tarnwick";

/// Reads a 32-bit integer value as a boolean (non-zero is true); the default when the value is
/// missing or not an integer. Nothing is reported.
bool ReadBoolDefault(const RegistryKey& key, std::string_view name, bool defaultValue);
int32_t ReadIntegerDefault(const RegistryKey& key, std::string_view name, int32_t defaultValue);
std::string ReadStringDefault(const RegistryKey& key, std::string_view name,
                              std::string_view defaultValue);

}  // namespace tarnwick

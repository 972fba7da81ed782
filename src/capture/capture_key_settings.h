#pragma once

#include <string>
#include <vector>

#include "platform/capture_keys.h"
#include "platform/settings_store.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// The stored capture keys beside the other settings; a missing or unreadable value gives that
/// capture its default key.
CaptureKeySet LoadCaptureKeys(SettingsStore& store);
/// Writes the three combinations and saves the store at once, reporting failures with the
/// settings' two messages. Gives true when everything was written.
bool SaveCaptureKeys(SettingsStore& store, const CaptureKeySet& keys, Prompter& prompter);

/// The warning for keys another program holds: the registration message, then the refused
/// combinations by name and where to choose others.
std::string RefusedCaptureKeysMessage(const std::vector<KeyCombination>& refused);

}  // namespace tarnwick

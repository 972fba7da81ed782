#include "capture/capture_key_settings.h"

#include "platform/registry_values.h"

namespace tarnwick {

namespace {

constexpr std::string_view kValueNames[] = {"CaptureKeyScreen", "CaptureKeyWindow", "CaptureKeyClientArea"};

}  // namespace

CaptureKeySet LoadCaptureKeys(SettingsStore& store) {
  CaptureKeySet keys = DefaultCaptureKeys();
  RegistryKey key(store);
  if (!key.OpenKey(kRegistryKey, false)) return keys;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (std::optional<KeyCombination> stored = ParseKeyCombination(ReadStringDefault(key, kValueNames[i], "")))
      keys[i] = *stored;
  }
  return keys;
}

bool SaveCaptureKeys(SettingsStore& store, const CaptureKeySet& keys, Prompter& prompter) {
  RegistryKey key(store);
  if (!key.OpenKey(kRegistryKey, true)) {
    prompter.Show(MessageKind::Error, kSaveOpenFailed);
    return false;
  }
  bool written = true;
  for (size_t i = 0; i < keys.size(); ++i) written = key.WriteString(kValueNames[i], KeyCombinationText(keys[i])) && written;
  if (!written || !store.Save()) {
    prompter.Show(MessageKind::Error, kSaveWriteFailed);
    return false;
  }
  return true;
}

std::string RefusedCaptureKeysMessage(const std::vector<KeyCombination>& refused) {
  std::string names;
  for (const KeyCombination& keys : refused) names += (names.empty() ? "" : ", ") + KeyCombinationText(keys);
  return "Could not register screen capture keys.\r\rAnother instance of Tarnwick or another program with screen "
         "capturing is probably running.\r\rHeld by another program: " +
         names + "\rOther keys can be chosen in Prefs, Capture keys...";
}

}  // namespace tarnwick

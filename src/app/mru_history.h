#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace tarnwick {

/// The registry key and value prefix of the recent-projects list.
inline constexpr std::string_view kHistoryKey = "\\Software\\Merrowind\\Tarnwick\\History";
inline constexpr std::string_view kHistoryPrefix = "Project_";

/// The recent projects, most recent first, at most `kCapacity`. A project enters the list when it
/// is closed. The window shows one menu entry per name, captioned by `Captions`, or one disabled
/// "(Empty)" entry when there is none.
class TMRUHistory {
 public:
  static constexpr size_t kCapacity = 5;

  const std::vector<std::string>& FileNames() const { return fileNames_; }

  /// Puts `fileName` at the top. A name already listed (compared without regard to case) moves
  /// there with the new letter case; otherwise the oldest name drops out when the list is full.
  void Add(std::string fileName);

  /// Replaces the list with the non-empty string values prefix + "0" to prefix + "4" of `key`, in
  /// that order. A missing key leaves the list empty, without a message.
  void LoadFromRegistry(SettingsStore& store, std::string_view key, std::string_view prefix);
  /// Writes name i as the string value prefix + i, creating the key; values beyond the list stay.
  /// False, writing nothing, when the key cannot be opened or created.
  bool SaveToRegistry(SettingsStore& store, std::string_view key, std::string_view prefix) const;

  /// The menu captions: "&1: path" for the most recent, and so on; {"(Empty)"} for an empty list.
  std::vector<std::string> Captions() const;

 private:
  std::vector<std::string> fileNames_;
};

/// The path of a menu entry: the text that starts two characters after the caption's first ":".
std::string PathFromHistoryCaption(std::string_view caption);

}  // namespace tarnwick

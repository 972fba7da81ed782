#include "app/mru_history.h"

#include <algorithm>

#include "platform/text_util.h"

namespace tarnwick {

void TMRUHistory::Add(std::string fileName) {
  auto listed = std::find_if(fileNames_.begin(), fileNames_.end(),
                             [&](const std::string& name) { return EqualsNoCase(name, fileName); });
  if (listed != fileNames_.end()) {
    fileNames_.erase(listed);
  } else if (fileNames_.size() == kCapacity) {
    fileNames_.pop_back();
  }
  fileNames_.insert(fileNames_.begin(), std::move(fileName));
}

void TMRUHistory::LoadFromRegistry(SettingsStore& store, std::string_view key, std::string_view prefix) {
  fileNames_.clear();
  RegistryKey registry(store);
  if (!registry.OpenKey(key, false)) return;
  for (size_t i = 0; i < kCapacity; ++i) {
    std::optional<std::string> value = registry.ReadString(std::string(prefix) + std::to_string(i));
    if (value && !value->empty()) fileNames_.push_back(std::move(*value));
  }
  registry.CloseKey();
}

bool TMRUHistory::SaveToRegistry(SettingsStore& store, std::string_view key, std::string_view prefix) const {
  RegistryKey registry(store);
  if (!registry.OpenKey(key, true)) return false;
  for (size_t i = 0; i < fileNames_.size(); ++i)
    registry.WriteString(std::string(prefix) + std::to_string(i), fileNames_[i]);
  registry.CloseKey();
  return true;
}

std::vector<std::string> TMRUHistory::Captions() const {
  if (fileNames_.empty()) return {"(Empty)"};
  std::vector<std::string> captions;
  for (size_t i = 0; i < fileNames_.size(); ++i)
    captions.push_back("&" + std::to_string(i + 1) + ": " + fileNames_[i]);
  return captions;
}

std::string PathFromHistoryCaption(std::string_view caption) {
  size_t colon = caption.find(':');
  if (colon == std::string_view::npos || colon + 2 > caption.size()) return {};
  return std::string(caption.substr(colon + 2));
}

}  // namespace tarnwick

#include "views/object_filter_settings.h"

#include <algorithm>

#include "platform/registry_values.h"
#include "platform/text_util.h"

namespace tarnwick {

namespace {

const std::string kExcludeKey = std::string(kRegistryKey) + "\\ObjectExclude";

std::string PropertyValueName(size_t index) { return "P_" + std::to_string(index); }

template <typename Item, typename Key>
void InsertSorted(std::vector<Item>& list, Item item, Key key) {
  auto place = std::upper_bound(list.begin(), list.end(), item, [&key](const Item& a, const Item& b) {
    return CompareNames(key(a), key(b)) < 0;
  });
  list.insert(place, std::move(item));
}

void ReadExcludedProperties(SettingsStore& store, const std::string& typeKey,
                            PropertyExclusionList& list, size_t typeIndex) {
  RegistryKey key(store);
  if (!key.OpenKey(typeKey, false)) return;
  const size_t count = key.ValueCount();
  const std::string type = list.Types()[typeIndex].Type;
  for (size_t i = 0; i < count; ++i) {
    // A missing value adds nothing: an empty name would match every continuation line.
    if (auto property = key.ReadString(PropertyValueName(i))) list.Add(type, *property);
  }
}

void ReadExclusionList(SettingsStore& store, PropertyExclusionList& list) {
  RegistryKey key(store);
  if (!key.OpenKey(kExcludeKey, false)) return;
  list.Clear();
  for (const std::string& typeName : key.SubKeyNames()) {
    const size_t index = list.AddType(typeName);
    ReadExcludedProperties(store, kExcludeKey + "\\" + typeName, list, index);
  }
}

void WriteExclusionList(SettingsStore& store, const PropertyExclusionList& list) {
  store.DeleteKey(kExcludeKey);
  store.CreateKey(kExcludeKey);
  for (const ExcludedType& type : list.Types()) {
    const std::string typeKey = kExcludeKey + "\\" + type.Type;
    store.CreateKey(typeKey);
    for (size_t i = 0; i < type.Properties.size(); ++i) {
      store.SetValue(typeKey, PropertyValueName(i), RegValue{RegType::String, 0, type.Properties[i]});
    }
  }
}

}  // namespace

PropertyExclusionList PropertyExclusionList::Defaults() {
  PropertyExclusionList list;
  list.Add("TImage", "Picture .Data");
  list.Add("TSpeedButton", "Glyph .Data");
  return list;
}

const ExcludedType* PropertyExclusionList::Find(std::string_view type) const {
  for (const ExcludedType& entry : types_) {
    if (EqualsNoCase(entry.Type, type)) return &entry;
  }
  return nullptr;
}

size_t PropertyExclusionList::AddType(std::string_view type) {
  if (const ExcludedType* found = Find(type)) return static_cast<size_t>(found - types_.data());
  InsertSorted(types_, ExcludedType{std::string(type), {}},
               [](const ExcludedType& entry) -> std::string_view { return entry.Type; });
  return static_cast<size_t>(Find(type) - types_.data());
}

void PropertyExclusionList::Add(std::string_view type, std::string_view property) {
  std::vector<std::string>& properties = types_[AddType(type)].Properties;
  InsertSorted(properties, std::string(property),
               [](const std::string& name) -> std::string_view { return name; });
}

bool PropertyExclusionList::DeleteType(size_t typeIndex) {
  if (typeIndex >= types_.size()) return false;
  types_.erase(types_.begin() + static_cast<std::ptrdiff_t>(typeIndex));
  return true;
}

bool PropertyExclusionList::DeleteProperty(size_t typeIndex, size_t propertyIndex) {
  if (typeIndex >= types_.size()) return false;
  std::vector<std::string>& properties = types_[typeIndex].Properties;
  if (propertyIndex >= properties.size()) return false;
  properties.erase(properties.begin() + static_cast<std::ptrdiff_t>(propertyIndex));
  return true;
}

void ObjectFilterOptions::SetShowChild(bool on) {
  showChild_ = on;
  if (on) showAllDescendants_ = false;
}

void ObjectFilterOptions::SetShowAllDescendants(bool on) {
  showAllDescendants_ = on;
  if (on) showChild_ = false;
}

bool DeleteExclusion(PropertyExclusionList& list, size_t typeIndex, std::optional<size_t> propertyIndex,
                     Prompter& prompter) {
  if (typeIndex >= list.Types().size()) return false;
  const ExcludedType& type = list.Types()[typeIndex];
  if (propertyIndex && *propertyIndex >= type.Properties.size()) return false;
  const std::string& text = propertyIndex ? type.Properties[*propertyIndex] : type.Type;
  if (prompter.Show(MessageKind::Confirmation, "Delete " + text + "?", MessageButtons::OkCancel) !=
      MessageAnswer::Ok) {
    return false;
  }
  return propertyIndex ? list.DeleteProperty(typeIndex, *propertyIndex) : list.DeleteType(typeIndex);
}

void LoadObjectFilterSettings(SettingsStore& store, ObjectFilterOptions& options) {
  RegistryKey key(store);
  if (!key.OpenKey(kRegistryKey, false)) return;
  options.SetShowChild(ReadBoolDefault(key, "ObjectsShowChild", true));
  options.SetShowAllDescendants(ReadBoolDefault(key, "ObjectsShowAllDescendants", false));
  options.SetExcludeProperties(ReadBoolDefault(key, "ObjectsExclude", true));
  key.CloseKey();
  ReadExclusionList(store, options.Exclusions());
}

bool SaveObjectFilterSettings(SettingsStore& store, const ObjectFilterOptions& options,
                              Prompter& prompter) {
  RegistryKey key(store);
  if (!key.OpenKey(kRegistryKey, true)) {
    prompter.Show(MessageKind::Error, kSaveOpenFailed);
    return false;
  }
  key.WriteInteger("ObjectsShowChild", options.ShowChild() ? 1 : 0);
  key.WriteInteger("ObjectsShowAllDescendants", options.ShowAllDescendants() ? 1 : 0);
  key.WriteInteger("ObjectsExclude", options.ExcludeProperties() ? 1 : 0);
  key.CloseKey();
  WriteExclusionList(store, options.Exclusions());
  if (!store.Save()) {
    prompter.Show(MessageKind::Error, kSaveWriteFailed);
    return false;
  }
  return true;
}

bool IsValidIdentifier(std::string_view text) {
  if (text.empty() || (text[0] >= '0' && text[0] <= '9')) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

std::string CheckObjectExcludeEntry(std::string_view objectType, std::string& propertyName) {
  if (!IsValidIdentifier(objectType)) return "Object Type is not a valid pascal identifier.";
  const size_t dot = propertyName.find('.');
  if (dot == std::string::npos) {
    if (!IsValidIdentifier(propertyName)) return "Property Name is not a valid pascal identifier.";
    return {};
  }
  const std::string left = propertyName.substr(0, dot);
  const std::string right = propertyName.substr(dot + 1);
  for (const std::string& part : {left, right}) {
    if (!IsValidIdentifier(part)) {
      return "Property Name \"" + part + "\" is not a valid pascal identifier.";
    }
  }
  propertyName = left + " ." + right;
  return {};
}

}  // namespace tarnwick

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"
#include "platform/user_interface.h"

namespace tarnwick {

/// One type of the exclusion list with the property names excluded for it.
struct ExcludedType {
  std::string Type;
  std::vector<std::string> Properties;  // in the split form of property lines ("Picture .Data")
};

/// The property exclusions of the object filter: object types, each with the property names whose
/// lines the filtered tree leaves out. Both levels stay in alphabetical order; types are matched
/// without regard to letter case, property names are kept as entered (duplicates included).
class PropertyExclusionList {
 public:
  /// The list as it stands until stored settings are read: TImage and TSpeedButton with their
  /// picture data.
  static PropertyExclusionList Defaults();

  const std::vector<ExcludedType>& Types() const { return types_; }
  bool Empty() const { return types_.empty(); }
  void Clear() { types_.clear(); }

  /// The first type equal to `type` ignoring case; null when there is none.
  const ExcludedType* Find(std::string_view type) const;
  /// Gives the index of the type equal to `type` ignoring case, adding it as written when missing.
  size_t AddType(std::string_view type);
  /// Adds `property` under `type` (the type is added when missing): what "Add" does.
  void Add(std::string_view type, std::string_view property);
  /// Removes a type with all its properties; false when the index is out of range.
  bool DeleteType(size_t typeIndex);
  /// Removes one property name of a type; false when an index is out of range.
  bool DeleteProperty(size_t typeIndex, size_t propertyIndex);

 private:
  std::vector<ExcludedType> types_;
};

/// The options of the "Objects Filter" dialog that are kept as settings: the three check boxes and
/// the exclusion list. "Show child objects" and "Show all descendants" are never both on: setting
/// one of them on sets the other off.
class ObjectFilterOptions {
 public:
  bool ShowChild() const { return showChild_; }
  bool ShowAllDescendants() const { return showAllDescendants_; }
  bool ExcludeProperties() const { return excludeProperties_; }
  void SetShowChild(bool on);
  void SetShowAllDescendants(bool on);
  void SetExcludeProperties(bool on) { excludeProperties_ = on; }

  PropertyExclusionList& Exclusions() { return exclusions_; }
  const PropertyExclusionList& Exclusions() const { return exclusions_; }

 private:
  bool showChild_ = false;
  bool showAllDescendants_ = false;
  bool excludeProperties_ = true;
  PropertyExclusionList exclusions_ = PropertyExclusionList::Defaults();
};

/// "Delete" on the exclusion list: asks "Delete " + the selected node's text + "?" (OK, Cancel) and on
/// OK removes the type with all its properties, or only the property when `propertyIndex` is given.
/// False when nothing was removed (no such node, or the user cancelled).
bool DeleteExclusion(PropertyExclusionList& list, size_t typeIndex, std::optional<size_t> propertyIndex,
                     Prompter& prompter);

/// Reads the three options and the exclusion list from the settings store. A missing program key
/// leaves everything as it is; a missing "ObjectExclude" key leaves the exclusion list as it is.
void LoadObjectFilterSettings(SettingsStore& store, ObjectFilterOptions& options);

/// Writes the three options, replaces the stored exclusion list as a whole and saves the store.
/// Failures are reported through `prompter`; gives true when everything was written.
bool SaveObjectFilterSettings(SettingsStore& store, const ObjectFilterOptions& options,
                              Prompter& prompter);

/// A non-empty text of ASCII letters, digits and "_" that does not start with a digit.
bool IsValidIdentifier(std::string_view text);

/// The checks of the "ObjectExcludeForm" dialog's Ok button, in their order. Gives the error message
/// of the first failing check, or an empty text when the entry is valid; a valid dotted property
/// name is then rewritten into the form of the property lines ("Font.Name" becomes "Font .Name").
std::string CheckObjectExcludeEntry(std::string_view objectType, std::string& propertyName);

}  // namespace tarnwick

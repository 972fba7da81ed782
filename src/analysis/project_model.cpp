#include "analysis/project_model.h"

#include <algorithm>

#include "platform/text_util.h"

namespace tarnwick {

void ProjectModel::AddUnit(UnitEntry entry) {
  lowerNames_.insert(ToLowerAscii(entry.UnitName));
  units_.push_back(std::move(entry));
  sorted_ = false;
}

void ProjectModel::EnsureSorted() const {
  if (sorted_) return;
  std::stable_sort(units_.begin(), units_.end(), [](const UnitEntry& a, const UnitEntry& b) {
    return CompareNames(a.UnitName, b.UnitName) < 0;
  });
  indexByLowerName_.clear();
  for (size_t i = units_.size(); i-- > 0;) indexByLowerName_[ToLowerAscii(units_[i].UnitName)] = i;
  sorted_ = true;
}

const std::vector<UnitEntry>& ProjectModel::Units() const {
  EnsureSorted();
  return units_;
}

bool ProjectModel::ContainsUnit(std::string_view name) const {
  return lowerNames_.count(ToLowerAscii(name)) != 0;
}

const UnitEntry* ProjectModel::FindUnitByName(std::string_view name) const {
  EnsureSorted();
  auto found = indexByLowerName_.find(ToLowerAscii(name));
  return found == indexByLowerName_.end() ? nullptr : &units_[found->second];
}

const UnitEntry* ProjectModel::FindUnitByForm(std::string_view formName) const {
  EnsureSorted();
  for (const UnitEntry& entry : units_) {
    if (entry.FormName == formName) return &entry;
  }
  return nullptr;
}

void ProjectModel::Clear() {
  ProjectFile.clear();
  units_.clear();
  indexByLowerName_.clear();
  lowerNames_.clear();
  sorted_ = true;
  UnusedSources.clear();
  ObjectTree.clear();
  DependencyTree.clear();
  Uses.Clear();
  Images.clear();
  CodePage = kFallbackCodePage;
  ReportedUnreadable.clear();
}

}  // namespace tarnwick

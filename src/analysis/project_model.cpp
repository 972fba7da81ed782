#include "analysis/project_model.h"

#include <algorithm>

#include "platform/text_util.h"

namespace tarnwick {

void ProjectModel::AddUnit(UnitEntry entry) {
  auto place = std::upper_bound(units_.begin(), units_.end(), entry,
                                [](const UnitEntry& a, const UnitEntry& b) {
                                  return CompareNames(a.UnitName, b.UnitName) < 0;
                                });
  size_t index = static_cast<size_t>(place - units_.begin());
  std::string lowerName = ToLowerAscii(entry.UnitName);
  units_.insert(place, std::move(entry));
  for (auto& [name, position] : indexByLowerName_) {
    if (position >= index) ++position;
  }
  auto [found, inserted] = indexByLowerName_.try_emplace(std::move(lowerName), index);
  if (!inserted && index < found->second) found->second = index;
}

bool ProjectModel::ContainsUnit(std::string_view name) const {
  return indexByLowerName_.count(ToLowerAscii(name)) != 0;
}

const UnitEntry* ProjectModel::FindUnitByName(std::string_view name) const {
  auto found = indexByLowerName_.find(ToLowerAscii(name));
  return found == indexByLowerName_.end() ? nullptr : &units_[found->second];
}

const UnitEntry* ProjectModel::FindUnitByForm(std::string_view formName) const {
  for (const UnitEntry& entry : units_) {
    if (entry.FormName == formName) return &entry;
  }
  return nullptr;
}

void ProjectModel::Clear() {
  ProjectFile.clear();
  units_.clear();
  indexByLowerName_.clear();
  UnusedSources.clear();
  ObjectTree.clear();
  DependencyTree.clear();
  Images.clear();
}

}  // namespace tarnwick

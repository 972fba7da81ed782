#include "views/dependency_filter.h"

#include <algorithm>

#include "analysis/project_model.h"
#include "platform/text_util.h"

namespace tarnwick {

void DependencyFilter::AddAvailableUnit(const ProjectModel& model, std::string_view name) {
  if (model.ContainsUnit(name)) return;
  if (!suppressedLower_.insert(ToLowerAscii(name)).second) return;
  auto place = std::upper_bound(SuppressList.begin(), SuppressList.end(), name,
                                [](std::string_view a, const std::string& b) { return CompareNoCase(a, b) < 0; });
  SuppressList.insert(place, std::string(name));
}

void DependencyFilter::ResetDependencyViews() {
  ShowList.clear();
  SuppressList.clear();
  suppressedLower_.clear();
  FilteredTree.clear();
}

}  // namespace tarnwick

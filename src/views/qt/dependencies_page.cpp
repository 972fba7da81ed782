#include "views/qt/dependencies_page.h"

#include <QStackedLayout>

#include "platform/qt/project_text.h"
#include "views/qt/dependency_filter_form.h"
#include "views/qt/filter_dialog_parts.h"

namespace tarnwick {

DependenciesPage::DependenciesPage(ProjectModel& model, DependencyFilter& filter, ProgressSink& progress,
                                   QWidget* parent)
    : QWidget(parent),
      model_(model),
      filter_(filter),
      progress_(progress),
      fullModel_(new DependencyTreeModel(this)),
      filteredModel_(new DependencyTreeModel(this)),
      dependencyTreeView_(new NodeTreeView("DependencyTreeView", this)),
      dependencyFilterTreeView_(new NodeTreeView("DependencyFilterTreeView", this)),
      filterForm_(new TDependencyFilterForm(filter, this)) {
  setObjectName("DependenciesTabSheet");
  // The full tree's view has its own font size; the filtered one takes the page's.
  dependencyTreeView_->setFont(QFont("Arial", 10));
  dependencyTreeView_->setModel(fullModel_);
  dependencyFilterTreeView_->setModel(filteredModel_);
  auto* layout = new QStackedLayout(this);
  layout->addWidget(dependencyTreeView_);
  layout->addWidget(dependencyFilterTreeView_);
  ShowTrees();
}

void DependenciesPage::Detach() {
  fullModel_->SetForest(nullptr);
  filteredModel_->SetForest(nullptr);
}

void DependenciesPage::FollowCodePage() {
  if (decoder_ && decoder_->CodePage() == model_.CodePage) return;
  auto decoder = std::make_unique<TextDecoder>(model_.CodePage);
  fullModel_->SetDecoder(decoder.get());
  filteredModel_->SetDecoder(decoder.get());
  decoder_ = std::move(decoder);
}

void DependenciesPage::ShowTrees() {
  FollowCodePage();
  if (fullModel_->ShownForest() != &model_.DependencyTree) fullModel_->SetForest(&model_.DependencyTree);
  if (filteredModel_->ShownForest() != &filter_.FilteredTree) filteredModel_->SetForest(&filter_.FilteredTree);
  const bool filtered = filter_.CurDependencyTreeView == CurrentTree::Filtered;
  static_cast<QStackedLayout*>(layout())->setCurrentWidget(filtered ? dependencyFilterTreeView_
                                                                    : dependencyTreeView_);
  emit CaptionChanged(Utf8ToQString(filter_.Caption));
}

Expansion DependenciesPage::ShowOpenedTrees() {
  ShowTrees();
  NodeTreeView* view = CurrentView();
  if (view == nullptr) return {};
  view->SelectFirstRoot();
  return ExpandTree(*view, progress_, "Dependencies", "Done. ");
}

NodeTreeView* DependenciesPage::CurrentView() const {
  switch (filter_.CurDependencyTreeView) {
    case CurrentTree::All: return dependencyTreeView_;
    case CurrentTree::Filtered: return dependencyFilterTreeView_;
    case CurrentTree::None: break;
  }
  return nullptr;
}

void DependenciesPage::ExpandAllDependenciesItemClick() {
  if (NodeTreeView* view = CurrentView()) ExpandTree(*view, progress_, "Dependencies");
}

void DependenciesPage::CollapseAllDependenciesItemClick() {
  if (NodeTreeView* view = CurrentView()) view->CollapseAll();
}

void DependenciesPage::FilterDependenciesItemClick() {
  const int result = filterForm_->Run();
  if (result == kShowAllResult) {
    filter_.ShowAllDependencies();
    ShowTrees();
  } else if (result == kFilterResult) {
    filteredModel_->SetForest(nullptr);
    filter_.ShowFilteredDependencies(model_.DependencyTree);
    ShowTrees();
    dependencyFilterTreeView_->SelectFirstRoot();
  }
}

}  // namespace tarnwick

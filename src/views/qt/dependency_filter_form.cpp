#include "views/qt/dependency_filter_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "views/qt/filter_dialog_parts.h"

namespace tarnwick {

TDependencyFilterForm::TDependencyFilterForm(DependencyFilter& filter, QWidget* parent)
    : QDialog(parent), filter_(filter) {
  setObjectName("DependencyFilterForm");
  setWindowTitle("Dependency filter");
  suppressList_ = NewNameList("SuppressList", this);
  showList_ = NewNameList("ShowList", this);
  includeBtn_ = NewButton("IncludeBtn", ">", this);
  incAllBtn_ = NewButton("IncAllBtn", ">>", this);
  excludeBtn_ = NewButton("ExcludeBtn", "<", this);
  exAllBtn_ = NewButton("ExAllBtn", "<<", this);
  QPushButton* allBtn = NewButton("AllBtn", "Show All", this);
  QPushButton* filterBtn = NewButton("FilterBtn", "Filter", this);
  QPushButton* cancelBtn = NewButton("CancelBtn", "Cancel", this);
  allBtn->setDefault(true);

  auto* moves = new QVBoxLayout;
  moves->addStretch();
  for (QPushButton* button : {includeBtn_, incAllBtn_, excludeBtn_, exAllBtn_}) {
    button->setFixedWidth(40);
    moves->addWidget(button);
  }
  moves->addStretch();
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel("Available  List:", this), 0, 0);
  grid->addWidget(new QLabel("Show List:", this), 0, 2);
  grid->addWidget(suppressList_, 1, 0);
  grid->addLayout(moves, 1, 1);
  grid->addWidget(showList_, 1, 2);
  auto* results = new QHBoxLayout;
  results->addStretch();
  for (QPushButton* button : {allBtn, filterBtn, cancelBtn}) results->addWidget(button);
  grid->addLayout(results, 2, 0, 1, 3);
  for (QListWidget* list : {suppressList_, showList_}) list->setMinimumSize(170, 240);

  connect(includeBtn_, &QPushButton::clicked, this, &TDependencyFilterForm::IncludeBtnClick);
  connect(incAllBtn_, &QPushButton::clicked, this, &TDependencyFilterForm::IncAllBtnClick);
  connect(excludeBtn_, &QPushButton::clicked, this, &TDependencyFilterForm::ExcludeBtnClick);
  connect(exAllBtn_, &QPushButton::clicked, this, &TDependencyFilterForm::ExcAllBtnClick);
  connect(allBtn, &QPushButton::clicked, this, [this] { done(kShowAllResult); });
  connect(filterBtn, &QPushButton::clicked, this, [this] { done(kFilterResult); });
  connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  FixAndCentre(this);
}

int TDependencyFilterForm::Run() {
  filter_.BeginFilterDialog();
  ShowLists();
  FixAndCentre(this);
  return exec();
}

void TDependencyFilterForm::IncludeBtnClick() { Apply([this] { filter_.IncludeBtnClick(); }); }
void TDependencyFilterForm::IncAllBtnClick() { Apply([this] { filter_.IncAllBtnClick(); }); }
void TDependencyFilterForm::ExcludeBtnClick() { Apply([this] { filter_.ExcludeBtnClick(); }); }
void TDependencyFilterForm::ExcAllBtnClick() { Apply([this] { filter_.ExcAllBtnClick(); }); }

template <typename Move>
void TDependencyFilterForm::Apply(Move move) {
  for (auto [side, list] : {std::pair{FilterSide::Suppress, suppressList_}, std::pair{FilterSide::Show, showList_}}) {
    for (int row = 0; row < list->count(); ++row)
      filter_.SetSelected(side, static_cast<size_t>(row), list->item(row)->isSelected());
  }
  move();
  ShowLists();
}

void TDependencyFilterForm::ShowLists() {
  FillNameList(suppressList_, filter_.SuppressList, filter_.SuppressListModel.Selected);
  FillNameList(showList_, filter_.ShowList, filter_.ShowListModel.Selected);
  includeBtn_->setEnabled(filter_.IncludeBtnEnabled);
  incAllBtn_->setEnabled(filter_.IncAllBtnEnabled);
  excludeBtn_->setEnabled(filter_.ExcludeBtnEnabled);
  exAllBtn_->setEnabled(filter_.ExAllBtnEnabled);
  for (auto [list, model] : {std::pair{suppressList_, &filter_.SuppressListModel},
                             std::pair{showList_, &filter_.ShowListModel}}) {
    if (!model->Focused) continue;
    list->setFocus();
    // The keyboard carries on from the selected name.
    const auto first = std::find(model->Selected.begin(), model->Selected.end(), true);
    if (first != model->Selected.end())
      list->setCurrentRow(static_cast<int>(first - model->Selected.begin()), QItemSelectionModel::NoUpdate);
  }
}

}  // namespace tarnwick

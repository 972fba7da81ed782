#include "views/qt/object_filter_form.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

#include "platform/qt/project_text.h"
#include "views/object_filter_settings.h"
#include "views/qt/filter_dialog_parts.h"
#include "views/qt/object_exclude_form.h"

namespace tarnwick {

TObjectFilterForm::TObjectFilterForm(ObjectFilter& filter, SettingsStore& store, Prompter& prompter,
                                     QWidget* parent)
    : QDialog(parent),
      filter_(filter),
      store_(store),
      prompter_(prompter),
      excludeForm_(new TObjectExcludeForm(prompter, this)) {
  setObjectName("ObjectFilterForm");
  setWindowTitle("Objects Filter");
  new QGridLayout(this);
  BuildTypeLists();
  BuildOptions();
  BuildResults();
  LoadObjectFilterSettings(store_, filter_.Options);
  ShowOptions();
  ShowExclusions();
  FixAndCentre(this);
}

void TObjectFilterForm::BuildTypeLists() {
  auto* grid = static_cast<QGridLayout*>(layout());
  suppressList_ = NewNameList("SuppressList", this);
  showList_ = NewNameList("ShowList", this);
  includeBtn_ = NewButton("IncludeBtn", ">", this);
  incAllBtn_ = NewButton("IncAllBtn", ">>", this);
  excludeBtn_ = NewButton("ExcludeBtn", "<", this);
  exAllBtn_ = NewButton("ExAllBtn", "<<", this);
  auto* moves = new QVBoxLayout;
  moves->addStretch();
  for (QPushButton* button : {includeBtn_, incAllBtn_, excludeBtn_, exAllBtn_}) {
    button->setFixedWidth(40);
    moves->addWidget(button);
  }
  moves->addStretch();
  grid->addWidget(new QLabel("Suppress Objects:", this), 0, 0);
  grid->addWidget(new QLabel("Show Objects:", this), 0, 2);
  grid->addWidget(suppressList_, 1, 0);
  grid->addLayout(moves, 1, 1);
  grid->addWidget(showList_, 1, 2);
  for (QListWidget* list : {suppressList_, showList_}) list->setMinimumSize(160, 220);
  connect(includeBtn_, &QPushButton::clicked, this, &TObjectFilterForm::IncludeBtnClick);
  connect(incAllBtn_, &QPushButton::clicked, this, &TObjectFilterForm::IncAllBtnClick);
  connect(excludeBtn_, &QPushButton::clicked, this, &TObjectFilterForm::ExcludeBtnClick);
  connect(exAllBtn_, &QPushButton::clicked, this, &TObjectFilterForm::ExAllBtnClick);
  connect(suppressList_, &QListWidget::itemDoubleClicked, this, &TObjectFilterForm::IncludeBtnClick);
  connect(showList_, &QListWidget::itemDoubleClicked, this, &TObjectFilterForm::ExcludeBtnClick);
}

void TObjectFilterForm::BuildOptions() {
  auto* grid = static_cast<QGridLayout*>(layout());
  auto* box = new QGroupBox(this);
  auto* column = new QVBoxLayout(box);
  auto check = [&](const char* name, const QString& caption) {
    auto* checkBox = new QCheckBox(caption, box);
    checkBox->setObjectName(name);
    column->addWidget(checkBox);
    return checkBox;
  };
  showChildCheckBox_ = check("ShowChildCheckBox", "Show child objects");
  showAllDescendantsCheckBox_ = check("ShowAllDescendantsCheckBox", "Show all descendants");
  propertyExcludeCheckBox_ = check("PropertyExcludeCheckBox", "Exclude Properties");
  showChildCheckBox_->setToolTip("Print all child objects");
  showAllDescendantsCheckBox_->setToolTip("Print all child objects");
  propertyExcludeTreeView_ = new QTreeWidget(box);
  propertyExcludeTreeView_->setObjectName("PropertyExcludeTreeView");
  propertyExcludeTreeView_->setHeaderHidden(true);
  propertyExcludeTreeView_->setMinimumSize(200, 150);
  column->addWidget(propertyExcludeTreeView_);
  auto* edits = new QHBoxLayout;
  QPushButton* add = NewButton("AddExcludeButton", "Add", box);
  QPushButton* remove = NewButton("Button3", "Delete", box);
  QPushButton* save = NewButton("Button4", "Save", box);
  for (QPushButton* button : {add, remove, save}) edits->addWidget(button);
  column->addLayout(edits);
  grid->addWidget(box, 0, 3, 2, 1);
  connect(showChildCheckBox_, &QCheckBox::clicked, this, &TObjectFilterForm::ShowChildCheckBoxClick);
  connect(showAllDescendantsCheckBox_, &QCheckBox::clicked, this,
          &TObjectFilterForm::ShowAllDescendantsCheckBoxClick);
  connect(propertyExcludeCheckBox_, &QCheckBox::clicked, this,
          [this](bool checked) { filter_.Options.SetExcludeProperties(checked); });
  connect(add, &QPushButton::clicked, this, &TObjectFilterForm::AddExcludeButtonClick);
  connect(remove, &QPushButton::clicked, this, &TObjectFilterForm::Button3Click);
  connect(save, &QPushButton::clicked, this, &TObjectFilterForm::Button4Click);
}

void TObjectFilterForm::BuildResults() {
  auto* grid = static_cast<QGridLayout*>(layout());
  QPushButton* showAll = NewButton("Button1", "Show All", this);
  QPushButton* apply = NewButton("ApplyButton", "Filter", this);
  QPushButton* cancel = NewButton("CancelBtn", "Cancel", this);
  apply->setDefault(true);
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : {showAll, apply, cancel}) row->addWidget(button);
  grid->addLayout(row, 2, 0, 1, 4);
  connect(showAll, &QPushButton::clicked, this, [this] { done(kShowAllResult); });
  connect(apply, &QPushButton::clicked, this, [this] { done(kFilterResult); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

int TObjectFilterForm::Run() {
  ShowLists();
  ShowOptions();
  ShowExclusions();
  SetButtons();
  FixAndCentre(this);
  return exec();
}

// The buttons follow the lists every time the dialog becomes active.
void TObjectFilterForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) SetButtons();
  QDialog::changeEvent(event);
}

void TObjectFilterForm::IncludeBtnClick() {
  const int row = filter_.IncludeBtnClick(SelectedRows(suppressList_));
  ShowLists();
  SetItem(suppressList_, row);
}

void TObjectFilterForm::ExcludeBtnClick() {
  const int row = filter_.ExcludeBtnClick(SelectedRows(showList_));
  ShowLists();
  SetItem(showList_, row);
}

void TObjectFilterForm::IncAllBtnClick() {
  filter_.IncAllBtnClick();
  ShowLists();
  SetItem(suppressList_, -1);
}

void TObjectFilterForm::ExAllBtnClick() {
  filter_.ExAllBtnClick();
  ShowLists();
  SetItem(showList_, -1);
}

void TObjectFilterForm::ShowChildCheckBoxClick(bool checked) {
  filter_.Options.SetShowChild(checked);
  ShowOptions();
}

void TObjectFilterForm::ShowAllDescendantsCheckBoxClick(bool checked) {
  filter_.Options.SetShowAllDescendants(checked);
  ShowOptions();
}

void TObjectFilterForm::AddExcludeButtonClick() {
  if (excludeForm_->Run() == QDialog::Rejected) return;
  filter_.Options.Exclusions().Add(QStringToUtf8(excludeForm_->ObjectType()),
                                   QStringToUtf8(excludeForm_->PropertyName()));
  ShowExclusions();
}

void TObjectFilterForm::Button3Click() {
  const QList<QTreeWidgetItem*> selected = propertyExcludeTreeView_->selectedItems();
  if (selected.isEmpty()) return;
  QTreeWidgetItem* item = selected.front();
  QTreeWidgetItem* type = item->parent() != nullptr ? item->parent() : item;
  std::optional<size_t> property;
  if (item != type) property = static_cast<size_t>(type->indexOfChild(item));
  const auto typeIndex = static_cast<size_t>(propertyExcludeTreeView_->indexOfTopLevelItem(type));
  if (DeleteExclusion(filter_.Options.Exclusions(), typeIndex, property, prompter_)) ShowExclusions();
}

void TObjectFilterForm::Button4Click() { SaveObjectFilterSettings(store_, filter_.Options, prompter_); }

void TObjectFilterForm::SetItem(QListWidget* list, int row) {
  list->setFocus();
  if (row >= 0 && row < list->count()) {
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
  }
  SetButtons();
}

void TObjectFilterForm::SetButtons() {
  const TypeListButtons buttons = filter_.SetButtons();
  includeBtn_->setEnabled(buttons.Include);
  incAllBtn_->setEnabled(buttons.IncludeAll);
  excludeBtn_->setEnabled(buttons.Exclude);
  exAllBtn_->setEnabled(buttons.ExcludeAll);
}

void TObjectFilterForm::ShowLists() {
  FillNameList(suppressList_, filter_.SuppressList, {});
  FillNameList(showList_, filter_.ShowList, {});
}

void TObjectFilterForm::ShowOptions() {
  const ObjectFilterOptions& options = filter_.Options;
  for (auto [box, on] : {std::pair{showChildCheckBox_, options.ShowChild()},
                         std::pair{showAllDescendantsCheckBox_, options.ShowAllDescendants()},
                         std::pair{propertyExcludeCheckBox_, options.ExcludeProperties()}}) {
    const QSignalBlocker quiet(box);
    box->setChecked(on);
  }
}

void TObjectFilterForm::ShowExclusions() {
  propertyExcludeTreeView_->clear();
  for (const ExcludedType& type : filter_.Options.Exclusions().Types()) {
    auto* root = new QTreeWidgetItem(propertyExcludeTreeView_, QStringList{Utf8ToQString(type.Type)});
    for (const std::string& property : type.Properties) {
      new QTreeWidgetItem(root, QStringList{Utf8ToQString(property)});
    }
  }
  propertyExcludeTreeView_->expandAll();
}

}  // namespace tarnwick

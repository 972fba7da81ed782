#pragma once

#include <QDialog>

#include "platform/settings_store.h"
#include "platform/user_interface.h"
#include "views/object_filter.h"

class QCheckBox;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace tarnwick {

class TObjectExcludeForm;

/// The "Objects Filter" dialog: moves object types between "Suppress Objects:" and "Show Objects:",
/// sets the three options, edits the property exclusions and saves options and exclusions. Ends
/// with Show All (101), Filter (102) or the cancel result. Lists, options and exclusions are the
/// filter's; the stored options are read once, when the dialog is made.
class TObjectFilterForm final : public QDialog {
  Q_OBJECT
 public:
  TObjectFilterForm(ObjectFilter& filter, SettingsStore& store, Prompter& prompter, QWidget* parent = nullptr);

  /// Shows the dialog modally with the lists and options as they are now and gives its result.
  int Run();
  TObjectExcludeForm* ExcludeForm() const { return excludeForm_; }

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void BuildTypeLists();
  void BuildOptions();
  void BuildResults();
  void IncludeBtnClick();
  void ExcludeBtnClick();
  void IncAllBtnClick();
  void ExAllBtnClick();
  void ShowChildCheckBoxClick(bool checked);
  void ShowAllDescendantsCheckBoxClick(bool checked);
  void AddExcludeButtonClick();
  void Button3Click();
  void Button4Click();
  /// Gives a list the focus and selects the row (none for -1), then `SetButtons`.
  void SetItem(QListWidget* list, int row);
  void SetButtons();
  void ShowLists();
  void ShowOptions();
  void ShowExclusions();

  ObjectFilter& filter_;
  SettingsStore& store_;
  Prompter& prompter_;
  TObjectExcludeForm* excludeForm_;
  QListWidget* suppressList_ = nullptr;
  QListWidget* showList_ = nullptr;
  QPushButton* includeBtn_ = nullptr;
  QPushButton* incAllBtn_ = nullptr;
  QPushButton* excludeBtn_ = nullptr;
  QPushButton* exAllBtn_ = nullptr;
  QCheckBox* propertyExcludeCheckBox_ = nullptr;
  QCheckBox* showChildCheckBox_ = nullptr;
  QCheckBox* showAllDescendantsCheckBox_ = nullptr;
  QTreeWidget* propertyExcludeTreeView_ = nullptr;
};

}  // namespace tarnwick

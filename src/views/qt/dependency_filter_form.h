#pragma once

#include <QDialog>

#include "views/dependency_filter.h"

class QListWidget;
class QPushButton;

namespace tarnwick {

/// The "Dependency filter" dialog: moves names between "Available  List:" and "Show List:" and
/// ends with Show All (101), Filter (102) or the cancel result. The lists and the selections are
/// the filter's; the dialog shows them and hands every button to it.
class TDependencyFilterForm final : public QDialog {
  Q_OBJECT
 public:
  TDependencyFilterForm(DependencyFilter& filter, QWidget* parent = nullptr);

  /// Shows the dialog modally with the lists as they are now and gives its result.
  int Run();

 private:
  void IncludeBtnClick();
  void IncAllBtnClick();
  void ExcludeBtnClick();
  void ExcAllBtnClick();
  /// Hands the selections on screen to the filter, runs `move`, shows the filter's state again.
  template <typename Move>
  void Apply(Move move);
  void ShowLists();

  DependencyFilter& filter_;
  QListWidget* suppressList_;
  QListWidget* showList_;
  QPushButton* includeBtn_;
  QPushButton* incAllBtn_;
  QPushButton* excludeBtn_;
  QPushButton* exAllBtn_;
};

}  // namespace tarnwick

#pragma once

#include <QDialog>

namespace tarnwick {

class ProjectModel;

/// "Circular References": the project's cycle groups, one row each with its units and one
/// shortest cycle through the first of them ("-impl->" marks a use from an implementation
/// section), or a line saying there are none.
class TCircularReferencesForm final : public QDialog {
  Q_OBJECT
 public:
  /// Lists the groups of `model.Uses`, decoded from the project's code page.
  explicit TCircularReferencesForm(const ProjectModel& model, QWidget* parent = nullptr);
};

}  // namespace tarnwick

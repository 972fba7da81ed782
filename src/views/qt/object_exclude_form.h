#pragma once

#include <QDialog>

#include "platform/user_interface.h"

class QLineEdit;

namespace tarnwick {

/// The "ObjectExcludeForm" dialog: an object type and a property name to exclude. Ok checks both
/// and stays open with a message on the first invalid one; a valid dotted name is left in the
/// form of the property lines ("Font .Name").
class TObjectExcludeForm final : public QDialog {
  Q_OBJECT
 public:
  TObjectExcludeForm(Prompter& prompter, QWidget* parent = nullptr);

  /// Empties both fields and shows the dialog modally; gives its result.
  int Run();
  QString ObjectType() const;
  QString PropertyName() const;

 private:
  void OkButtonClick();

  Prompter& prompter_;
  QLineEdit* objectTypeEdit_;
  QLineEdit* propertyEdit_;
};

}  // namespace tarnwick

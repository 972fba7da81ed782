#include "views/qt/object_exclude_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/project_text.h"
#include "views/object_filter_settings.h"
#include "views/qt/filter_dialog_parts.h"

namespace tarnwick {

TObjectExcludeForm::TObjectExcludeForm(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName("ObjectExcludeForm");
  setWindowTitle("ObjectExcludeForm");
  objectTypeEdit_ = new QLineEdit(this);
  objectTypeEdit_->setObjectName("ObjectTypeEdit");
  propertyEdit_ = new QLineEdit(this);
  propertyEdit_->setObjectName("PropertyEdit");
  QPushButton* ok = NewButton("OkButton", "Ok", this);
  QPushButton* cancel = NewButton("CancelButton", "Cancel", this);
  QPushButton* help = NewButton("HelpButton", "Help", this);
  ok->setDefault(true);
  help->setEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Property Type", this));
  layout->addWidget(objectTypeEdit_);
  layout->addWidget(new QLabel("Property Name", this));
  layout->addWidget(propertyEdit_);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {ok, cancel, help}) buttons->addWidget(button);
  layout->addLayout(buttons);
  objectTypeEdit_->setMinimumWidth(240);
  connect(ok, &QPushButton::clicked, this, &TObjectExcludeForm::OkButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  FixAndCentre(this);
}

int TObjectExcludeForm::Run() {
  objectTypeEdit_->clear();
  propertyEdit_->clear();
  objectTypeEdit_->setFocus();
  FixAndCentre(this);
  return exec();
}

QString TObjectExcludeForm::ObjectType() const { return objectTypeEdit_->text(); }
QString TObjectExcludeForm::PropertyName() const { return propertyEdit_->text(); }

void TObjectExcludeForm::OkButtonClick() {
  std::string property = QStringToUtf8(propertyEdit_->text());
  const std::string failure = CheckObjectExcludeEntry(QStringToUtf8(objectTypeEdit_->text()), property);
  if (!failure.empty()) {
    prompter_.Show(MessageKind::Error, failure, MessageButtons::Ok);
    return;
  }
  propertyEdit_->setText(Utf8ToQString(property));
  accept();
}

}  // namespace tarnwick

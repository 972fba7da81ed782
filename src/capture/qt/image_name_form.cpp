#include "capture/qt/image_name_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/qt/project_text.h"
#include "platform/text_encoding.h"

namespace tarnwick {

TImageNameForm::TImageNameForm(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), imageNameComboBox_(new QComboBox(this)), viewNameEdit_(new QLineEdit(this)) {
  setObjectName("ImageNameForm");
  setWindowTitle("Image unit name");
  auto* label1 = new QLabel("Select the captured form name", this);
  label1->setObjectName("Label1");
  auto* label2 = new QLabel("Enter a view name (optional)", this);
  label2->setObjectName("Label2");
  imageNameComboBox_->setObjectName("ImageNameComboBox");
  imageNameComboBox_->setEditable(false);
  imageNameComboBox_->setMinimumWidth(220);
  viewNameEdit_->setObjectName("ViewNameEdit");
  auto button = [this](const char* name, const char* caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    // Only OK answers Enter; a focused Cancel or Help does not take it over.
    b->setAutoDefault(false);
    return b;
  };
  QPushButton* ok = button("Button1", "Ok");
  ok->setDefault(true);
  QPushButton* cancel = button("Button2", "Cancel");
  QPushButton* help = button("Button3", "Help");
  connect(ok, &QPushButton::clicked, this, &TImageNameForm::Button1Click);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
  auto* layout = new QGridLayout(this);
  layout->addWidget(label1, 0, 0);
  layout->addWidget(imageNameComboBox_, 1, 0);
  layout->addWidget(label2, 2, 0);
  layout->addWidget(viewNameEdit_, 3, 0);
  layout->addLayout(buttons, 4, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<ImageName> TImageNameForm::Ask(const std::vector<std::string>& formNames,
                                             const ImageNamePreselection& preselection, std::string_view codePage) {
  const TextDecoder decoder(codePage);
  imageNameComboBox_->clear();
  for (const std::string& name : formNames) imageNameComboBox_->addItem(DecodedQString(decoder, name));
  imageNameComboBox_->setCurrentIndex(static_cast<int>(preselection.FormIndex));
  if (preselection.ViewName) viewNameEdit_->setText(DecodedQString(decoder, *preselection.ViewName));
  imageNameComboBox_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  // The form is taken by position: project text need not survive a trip through the display text.
  const int chosen = imageNameComboBox_->currentIndex();
  if (chosen < 0 || static_cast<size_t>(chosen) >= formNames.size()) return std::nullopt;
  return ImageName{formNames[static_cast<size_t>(chosen)], viewNameEdit_->text().toUtf8().toStdString()};
}

void TImageNameForm::Button1Click() {
  const std::string view = viewNameEdit_->text().toUtf8().toStdString();
  if (!IsValidViewName(view)) {
    prompter_.Show(MessageKind::Error, InvalidViewNameMessage(view), MessageButtons::Ok);
    return;
  }
  accept();
}

}  // namespace tarnwick

#include "capture/qt/capture_keys_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tarnwick {

TCaptureKeysForm::TCaptureKeysForm(Prompter& prompter, bool keysAvailable, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
  setObjectName("CaptureKeysForm");
  setWindowTitle("Capture keys");
  auto* layout = new QGridLayout(this);
  int line = 0;
  if (!keysAvailable) {
    auto* note = new QLabel("Global capture keys and screen grabs are not available in this session: they need an "
                            "X11 desktop.\nPictures taken elsewhere can be added with File, Import Picture...",
                            this);
    note->setObjectName("NotAvailableLabel");
    layout->addWidget(note, line++, 0, 1, 6);
  }
  const char* captions[] = {"Whole screen", "Window in front", "Client area of the window in front"};
  for (size_t i = 0; i < rows_.size(); ++i, ++line) {
    const QString suffix = QString::number(i + 1);
    auto box = [&](const char* text, const char* name) {
      auto* check = new QCheckBox(text, this);
      check->setObjectName(name + suffix);
      return check;
    };
    Row& row = rows_[i];
    row.Control = box("Ctrl", "ControlCheckBox");
    row.Alt = box("Alt", "AltCheckBox");
    row.Shift = box("Shift", "ShiftCheckBox");
    row.Super = box("Super", "SuperCheckBox");
    row.Key = new QComboBox(this);
    row.Key->setObjectName("KeyComboBox" + suffix);
    for (std::string_view name : CaptureKeyNames()) row.Key->addItem(QString::fromLatin1(name.data(), name.size()));
    layout->addWidget(new QLabel(captions[i], this), line, 0);
    int column = 1;
    for (QWidget* w : std::initializer_list<QWidget*>{row.Control, row.Alt, row.Shift, row.Super, row.Key})
      layout->addWidget(w, line, column++);
  }
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OkButton");
  ok->setDefault(true);
  auto* defaults = new QPushButton("Defaults", this);
  defaults->setObjectName("DefaultsButton");
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("CancelButton");
  connect(ok, &QPushButton::clicked, this, &TCaptureKeysForm::OkButtonClick);
  connect(defaults, &QPushButton::clicked, this, [this] { SetKeys(DefaultCaptureKeys()); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {ok, defaults, cancel}) buttons->addWidget(b);
  layout->addLayout(buttons, line, 0, 1, 6);
}

void TCaptureKeysForm::SetKeys(const CaptureKeySet& keys) {
  for (size_t i = 0; i < rows_.size(); ++i) {
    rows_[i].Control->setChecked(keys[i].Control);
    rows_[i].Alt->setChecked(keys[i].Alt);
    rows_[i].Shift->setChecked(keys[i].Shift);
    rows_[i].Super->setChecked(keys[i].Super);
    rows_[i].Key->setCurrentText(QString::fromStdString(keys[i].Key));
  }
}

CaptureKeySet TCaptureKeysForm::Keys() const {
  CaptureKeySet keys;
  for (size_t i = 0; i < rows_.size(); ++i) {
    keys[i] = KeyCombination{rows_[i].Control->isChecked(), rows_[i].Alt->isChecked(), rows_[i].Shift->isChecked(),
                             rows_[i].Super->isChecked(), rows_[i].Key->currentText().toStdString()};
  }
  return keys;
}

void TCaptureKeysForm::OkButtonClick() {
  const CaptureKeySet keys = Keys();
  for (size_t i = 0; i < keys.size(); ++i) {
    for (size_t j = i + 1; j < keys.size(); ++j) {
      if (keys[i] == keys[j]) {
        prompter_.Show(MessageKind::Error, "Each capture needs keys of its own: " + KeyCombinationText(keys[i]) +
                                               " is chosen twice.", MessageButtons::Ok);
        return;
      }
    }
  }
  accept();
}

}  // namespace tarnwick

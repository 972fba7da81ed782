#include "report/qt/jpeg_settings_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace tarnwick {

namespace {

QLabel* NamedLabel(const char* name, const QString& text, Qt::Alignment alignment) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  label->setAlignment(alignment);
  return label;
}

}  // namespace

TJPegSettingsForm::TJPegSettingsForm(Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      jpegCompressionTrackBar_(new QSlider(Qt::Horizontal, this)),
      progressiveDisplayCheckBox_(new QCheckBox("Progressive Display", this)),
      linesPerImageEdit_(new QLineEdit(this)) {
  setObjectName("JPegSettingsForm");
  setWindowTitle("JPeg settings");
  jpegCompressionTrackBar_->setObjectName("JPegCompressionTrackBar");
  jpegCompressionTrackBar_->setRange(1, 100);
  jpegCompressionTrackBar_->setTickInterval(1);
  jpegCompressionTrackBar_->setTickPosition(QSlider::TicksBelow);
  jpegCompressionTrackBar_->setMinimumWidth(300);
  progressiveDisplayCheckBox_->setObjectName("ProgressiveDisplayCheckBox");
  progressiveDisplayCheckBox_->setLayoutDirection(Qt::RightToLeft);  // its text on the left
  linesPerImageEdit_->setObjectName("LinesPerImageEdit");
  linesPerImageEdit_->setMaximumWidth(80);

  auto* grid = new QGridLayout(this);
  grid->addWidget(NamedLabel("Label4", "Low Quality", Qt::AlignLeft), 0, 0);
  grid->addWidget(NamedLabel("Label2", "High Quality", Qt::AlignRight), 0, 1);
  grid->addWidget(jpegCompressionTrackBar_, 1, 0, 1, 2);
  grid->addWidget(NamedLabel("Label3", "Small file", Qt::AlignLeft), 2, 0);
  grid->addWidget(NamedLabel("Label1", "Larger file", Qt::AlignRight), 2, 1);
  grid->addWidget(progressiveDisplayCheckBox_, 3, 0, Qt::AlignLeft);
  auto* lines = new QHBoxLayout;
  lines->addWidget(NamedLabel("Label5", "Lines per image", Qt::AlignLeft));
  lines->addWidget(linesPerImageEdit_);
  lines->addStretch(1);
  grid->addLayout(lines, 4, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* ok = new QPushButton("Ok", this);
  ok->setObjectName("OkButton");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("CancelButton");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  grid->addLayout(buttons, 5, 0, 1, 2);
  connect(ok, &QPushButton::clicked, this, &TJPegSettingsForm::OkButtonClick);
  connect(cancel, &QPushButton::clicked, this, &TJPegSettingsForm::reject);
}

void TJPegSettingsForm::SetValues(const JpegSettings& values) {
  jpegCompressionTrackBar_->setValue(values.Quality);
  progressiveDisplayCheckBox_->setChecked(values.ProgressiveDisplay);
  linesPerImageEdit_->setText(QString::fromStdString(values.LinesPerImageText));
}

JpegSettings TJPegSettingsForm::Values() const {
  return JpegSettings{jpegCompressionTrackBar_->value(), progressiveDisplayCheckBox_->isChecked(),
                      linesPerImageEdit_->text().toStdString()};
}

void TJPegSettingsForm::OkButtonClick() {
  const std::string problem = CheckLinesPerImage(linesPerImageEdit_->text().toStdString());
  if (!problem.empty()) {
    prompter_.Show(MessageKind::Error, problem, MessageButtons::Ok);
    return;
  }
  accept();
}

}  // namespace tarnwick

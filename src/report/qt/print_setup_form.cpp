#include "report/qt/print_setup_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/project_text.h"

namespace tarnwick {

namespace {

QString FromStd(const std::string& text) { return Utf8ToQString(text); }

QGroupBox* Group(const char* name, const QString& caption) {
  auto* group = new QGroupBox(caption);
  group->setObjectName(name);
  return group;
}

}  // namespace

TPrintSetupForm::TPrintSetupForm(SettingsStore& store, Prompter& prompter, TextMeasure& measure,
                                 QWidget* statusBar, ProgressSink& progress, QWidget* parent)
    : QDialog(parent), store_(store), prompter_(prompter), measure_(measure), progress_(progress) {
  setObjectName("PrintSetupForm");
  setWindowTitle("Print Setup");
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  fontDialog_ = new QFontDialog(this);
  fontDialog_->setObjectName("FontDialog");
  fontDialog_->setOption(QFontDialog::DontUseNativeDialog);
  auto* grid = new QGridLayout;
  grid->addWidget(BuildSourceGroup(), 0, 0);
  grid->addWidget(BuildDependencyGroup(), 0, 1);
  grid->addWidget(BuildObjectsGroup(), 0, 2);
  grid->addWidget(BuildImagesGroup(), 1, 0);
  grid->addWidget(BuildUnusedGroup(), 1, 1);
  grid->addWidget(BuildOtherGroup(), 1, 2);
  grid->addWidget(BuildOrderGroup(), 2, 0, 1, 2);
  grid->addWidget(BuildButtons(), 2, 2, Qt::AlignBottom | Qt::AlignRight);
  grid->setRowStretch(3, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* body = new QWidget(this);
  body->setLayout(grid);
  layout->addWidget(body, 1);
  statusBar->setParent(this);
  layout->addWidget(statusBar);
  UserInterface ui = Ui();
  LoadReportOptions(store_, options_, ui);
  ShowOptions();
}

QCheckBox* TPrintSetupForm::AddCheckBox(const char* name, const QString& caption, bool ReportOptions::*field,
                                        PairClick pairClick) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  showers_.push_back([this, box, field] {
    const QSignalBlocker blocker(box);
    box->setChecked(options_.*field);
  });
  connect(box, &QCheckBox::toggled, this, [this, field, pairClick](bool checked) {
    if (!pairClick) {
      options_.*field = checked;
      return;
    }
    pairClick(options_, checked);
    ShowOptions();
  });
  return box;
}

QComboBox* TPrintSetupForm::AddOutputList(const char* name, int ReportOptions::*field) {
  auto* list = new QComboBox;
  list->setObjectName(name);
  list->addItem(FromStd(std::string(OutputChoiceText(kOutputAsText))));
  list->addItem(FromStd(std::string(OutputChoiceText(kOutputAsJpeg))));
  showers_.push_back([this, list, field] {
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(options_.*field);  // -1 shows no entry
  });
  connect(list, &QComboBox::currentIndexChanged, this, [this, field](int index) { options_.*field = index; });
  return list;
}

QWidget* TPrintSetupForm::AddFontButton(const char* name, std::function<FontRef()> font) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* button = new QToolButton(row);
  button->setObjectName(name);
  button->setText(tr("Font..."));
  button->setToolTip(tr("Choose the font"));
  auto* shown = new QLabel(row);
  shown->setObjectName(QString(name) + "Label");
  layout->addWidget(button);
  layout->addWidget(shown, 1);
  showers_.push_back([shown, font] {
    FontRef current = font();
    shown->setText(QString("%1, %2 pt").arg(FromStd(current.Face)).arg(current.Size));
  });
  connect(button, &QToolButton::clicked, this, [this, font] { ChooseFont(font()); });
  return row;
}

QLineEdit* TPrintSetupForm::AddTextField(const char* name, std::string ReportOptions::*field) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMaximumWidth(80);
  showers_.push_back([this, edit, field] {
    const QSignalBlocker blocker(edit);
    edit->setText(FromStd(options_.*field));
  });
  connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) { options_.*field = QStringToUtf8(text); });
  return edit;
}

QWidget* TPrintSetupForm::BuildSourceGroup() {
  QGroupBox* group = Group("SourceCodeGroupBox", "Source Code");
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(AddCheckBox("SourceAllCheckBox", "All", &ReportOptions::SourceAll, SourceAllCheckBoxClick));
  layout->addWidget(AddCheckBox("SourceSelectedCheckBox", "Selected", &ReportOptions::SourceSelected,
                                SourceSelectedCheckBoxClick));
  layout->addWidget(AddCheckBox("PrintLineNumbersCheckBox", "Line Numbers", &ReportOptions::SourceLineNumbers));
  layout->addWidget(AddCheckBox("SyntaxPrintCheckBox", "Syntax Print", &ReportOptions::SyntaxPrint));
  layout->addWidget(AddFontButton("SpeedButton3", [this] {
    return FontRef{options_.SourceFont, options_.SourceCodeFontSize};
  }));
  return group;
}

QWidget* TPrintSetupForm::BuildDependencyGroup() {
  QGroupBox* group = Group("DependencyGroupBox", "Source Dependencies");
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(AddCheckBox("DependencyCheckBox", "All or Filtered", &ReportOptions::DependencyAll));
  layout->addWidget(AddOutputList("DependencyOutputComboBox", &ReportOptions::DependencyOutput));
  auto* levels = new QHBoxLayout;
  levels->addWidget(AddCheckBox("DependencyMaxLevelCheckBox", "Max Levels", &ReportOptions::DependencyMaxLevel));
  QLineEdit* levelField = AddTextField("DependencyLevels", &ReportOptions::DependencyMaxLevelNum);
  levelField->setToolTip("Max levels to descend. 0 = no limit.");
  connect(levelField, &QLineEdit::textEdited, this, &TPrintSetupForm::DependencyLevelsChange);
  levels->addWidget(levelField);
  levels->addStretch(1);
  layout->addLayout(levels);
  layout->addWidget(AddFontButton("SpeedButton4", [this] {
    return FontRef{options_.DependencyFont, options_.DependencyFontSize};
  }));
  return group;
}

QWidget* TPrintSetupForm::BuildObjectsGroup() {
  QGroupBox* group = Group("ObjectsGroupBox", "Objects");
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(AddCheckBox("ObjectsCheckBox", "All or filtered", &ReportOptions::ObjectsAll));
  layout->addWidget(AddOutputList("ObjectOutputComboBox", &ReportOptions::ObjectsOutput));
  QCheckBox* properties = AddCheckBox("ShowPropertiesCheckBox", "Show properties", &ReportOptions::ObjectsShowProperties);
  properties->setToolTip("Print object properties");
  layout->addWidget(properties);
  layout->addWidget(AddFontButton("SpeedButton7", [this] {
    return FontRef{options_.ObjectsFont, options_.ObjectsFontSize1};
  }));
  return group;
}

QWidget* TPrintSetupForm::BuildImagesGroup() {
  QGroupBox* group = Group("ImagesGroupBox", "Images");
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(AddCheckBox("ImagesAllCheckBox", "All ", &ReportOptions::ImagesAll, ImagesAllCheckBoxClick));
  layout->addWidget(AddCheckBox("ImagesSelectedCheckBox", "Selected", &ReportOptions::ImagesSelected,
                                ImagesSelectedCheckBoxClick));
  layout->addStretch(1);
  return group;
}

QWidget* TPrintSetupForm::BuildUnusedGroup() {
  QGroupBox* group = Group("UnusedSourceGroupBox", "Unused Source");
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(AddCheckBox("UnusedSourceCheckBox", "All", &ReportOptions::UnusedSourceAll));
  layout->addWidget(AddFontButton("SpeedButton5", [this] {
    return FontRef{options_.UnusedFont.Face, options_.UnusedFont.Size};
  }));
  layout->addStretch(1);
  return group;
}

QWidget* TPrintSetupForm::BuildOtherGroup() {
  QGroupBox* group = Group("OtherGroupBox", "Other");
  auto* layout = new QGridLayout(group);
  layout->addWidget(new QLabel("Indent Spaces"), 0, 0);
  layout->addWidget(AddTextField("IndentSpaces", &ReportOptions::IndentSpaces), 0, 1);
  layout->addWidget(new QLabel("Tab Spaces"), 1, 0);
  layout->addWidget(AddTextField("TabSpaces", &ReportOptions::TabSpaces), 1, 1);
  layout->setRowStretch(2, 1);
  return group;
}

QWidget* TPrintSetupForm::BuildOrderGroup() {
  QGroupBox* group = Group("PrintOrderGroupBox", "Print Order");
  auto* layout = new QVBoxLayout(group);
  printCategoryOrderListBox_ = new QListWidget(group);
  printCategoryOrderListBox_->setObjectName("PrintCategoryOrderListBox");
  printCategoryOrderListBox_->setMaximumHeight(printCategoryOrderListBox_->fontMetrics().height() * 7);
  layout->addWidget(printCategoryOrderListBox_);
  auto* moves = new QHBoxLayout;
  auto move = [&](const char* name, Qt::ArrowType arrow, const QString& hint) {
    auto* button = new QToolButton(group);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setToolTip(hint);
    moves->addWidget(button);
    return button;
  };
  connect(move("SpeedButton1", Qt::UpArrow, tr("Move up")), &QToolButton::clicked, this,
          &TPrintSetupForm::SpeedButton1Click);
  connect(move("SpeedButton2", Qt::DownArrow, tr("Move down")), &QToolButton::clicked, this,
          &TPrintSetupForm::SpeedButton2Click);
  moves->addStretch(1);
  layout->addLayout(moves);
  showers_.push_back([this] { FillPrintOrder(-1); });
  return group;
}

QWidget* TPrintSetupForm::BuildButtons() {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  auto button = [&](const char* name, const QString& caption, void (TPrintSetupForm::*click)()) {
    auto* b = new QPushButton(caption, row);
    b->setObjectName(name);
    b->setAutoDefault(false);
    layout->addWidget(b);
    connect(b, &QPushButton::clicked, this, click);
  };
  button("SaveButton", "Save", &TPrintSetupForm::SaveButtonClick);
  button("CancelButton", "Cancel", &TPrintSetupForm::reject);
  button("PreviewButton", "Preview", &TPrintSetupForm::PreviewButtonClick);
  button("PrintButton", "Print", &TPrintSetupForm::PrintButtonClick);
  return row;
}

void TPrintSetupForm::ShowOptions() {
  for (const auto& show : showers_) show();
}

void TPrintSetupForm::FillPrintOrder(int selected) {
  printCategoryOrderListBox_->clear();
  for (const std::string& name : options_.PrintOrder) printCategoryOrderListBox_->addItem(FromStd(name));
  if (selected >= 0) printCategoryOrderListBox_->setCurrentRow(selected);
}

void TPrintSetupForm::SpeedButton1Click() {
  const bool none = printCategoryOrderListBox_->selectedItems().isEmpty();
  FillPrintOrder(MovePrintOrderUp(options_.PrintOrder, none ? -1 : printCategoryOrderListBox_->currentRow()));
}

void TPrintSetupForm::SpeedButton2Click() {
  const bool none = printCategoryOrderListBox_->selectedItems().isEmpty();
  FillPrintOrder(MovePrintOrderDown(options_.PrintOrder, none ? -1 : printCategoryOrderListBox_->currentRow()));
}

void TPrintSetupForm::ChooseFont(FontRef font) {
  QFont current(FromStd(font.Face));
  current.setPointSize(font.Size);
  fontDialog_->setCurrentFont(current);
  if (fontDialog_->exec() != QDialog::Accepted) return;
  const QFont chosen = fontDialog_->selectedFont();
  font.Face = QStringToUtf8(chosen.family());
  if (chosen.pointSize() > 0) font.Size = chosen.pointSize();
  ShowOptions();
}

// Runs after the field's text has been taken into the options.
void TPrintSetupForm::DependencyLevelsChange() {
  if (!ValidateInteger(options_.DependencyMaxLevelNum, prompter_)) ShowOptions();
}

void TPrintSetupForm::SaveButtonClick() {
  UserInterface ui = Ui();
  SaveReportOptions(store_, options_, ui);
}

void TPrintSetupForm::SetDocument(const DocumentSubject& subject, DocumentationRequest request) {
  subject_.emplace(subject);
  request_ = std::move(request);
}

TPrintSetupForm::Outcome TPrintSetupForm::ShowModal() {
  outcome_ = Outcome::Cancel;
  setWindowState(windowState() | Qt::WindowMaximized);
  exec();
  return outcome_;
}

void TPrintSetupForm::RunWriter(Outcome onWritten) {
  if (!subject_) return;
  UserInterface ui = Ui();
  progress_.SetBusyCursor(true);
  const DocResult result = WriteDocumentation(*subject_, options_, ui, request_);
  progress_.SetBusyCursor(false);
  switch (result) {
    case DocResult::Written:
    case DocResult::WrittenWithErrors:  // its failures have been shown; the document notes them
      outcome_ = onWritten;
      accept();
      return;
    case DocResult::NothingSelected:
      prompter_.Show(MessageKind::Information, "You have not selected anything to print.", MessageButtons::Ok);
      return;
    case DocResult::Declined:
    case DocResult::NoFolder:
    case DocResult::NoFile:
      return;  // the writer has said what went wrong, or the user kept the old file
  }
}

}  // namespace tarnwick

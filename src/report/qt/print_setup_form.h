#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "platform/settings_store.h"
#include "platform/user_interface.h"
#include "report/documentation_writer.h"
#include "report/report_options.h"

class QCheckBox;
class QComboBox;
class QFontDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

namespace tarnwick {

/// The report options window ("Print Setup"): shows and edits the one `ReportOptions` it owns,
/// stores them on Save, and writes the documentation on Preview or Print with its own status bar
/// and busy indicator. Created once, hidden between showings, so unsaved changes last for the run.
class TPrintSetupForm final : public QDialog {
  Q_OBJECT
 public:
  enum class Outcome { Cancel, Preview, Print };

  /// `statusBar` is this window's status bar, which reports to `progress`; the window takes it over.
  /// The other references outlive the window. Reads the stored options.
  TPrintSetupForm(SettingsStore& store, Prompter& prompter, TextMeasure& measure, QWidget* statusBar,
                  ProgressSink& progress, QWidget* parent = nullptr);

  ReportOptions& Options() { return options_; }
  /// Shows `Options()` again after a change made from outside.
  void ShowOptions();
  /// What the next Preview or Print writes about; set before each showing.
  void SetDocument(const DocumentSubject& subject, DocumentationRequest request);
  /// Shows the window maximised and modal; gives how it was closed.
  Outcome ShowModal();
  Outcome Result() const { return outcome_; }

 public slots:
  void SaveButtonClick();
  void PreviewButtonClick() { RunWriter(Outcome::Preview); }
  void PrintButtonClick() { RunWriter(Outcome::Print); }
  void SpeedButton1Click();
  void SpeedButton2Click();

 private:
  QWidget* BuildSourceGroup();
  QWidget* BuildDependencyGroup();
  QWidget* BuildObjectsGroup();
  QWidget* BuildImagesGroup();
  QWidget* BuildUnusedGroup();
  QWidget* BuildOtherGroup();
  QWidget* BuildOrderGroup();
  QWidget* BuildButtons();
  void FillPrintOrder(int selected);
  using PairClick = void (*)(ReportOptions&, bool);
  QCheckBox* AddCheckBox(const char* name, const QString& caption, bool ReportOptions::*field,
                         PairClick pairClick = nullptr);
  QComboBox* AddOutputList(const char* name, int ReportOptions::*field);
  /// A font of the options, face and size, as one of the font buttons edits it.
  struct FontRef {
    std::string& Face;
    int& Size;
  };
  QWidget* AddFontButton(const char* name, std::function<FontRef()> font);
  QLineEdit* AddTextField(const char* name, std::string ReportOptions::*field);
  void ChooseFont(FontRef font);
  void DependencyLevelsChange();
  void RunWriter(Outcome onWritten);
  UserInterface Ui() { return UserInterface{prompter_, progress_, measure_}; }

  SettingsStore& store_;
  Prompter& prompter_;
  TextMeasure& measure_;
  ProgressSink& progress_;
  ReportOptions options_;
  std::optional<DocumentSubject> subject_;
  DocumentationRequest request_;
  Outcome outcome_ = Outcome::Cancel;
  std::vector<std::function<void()>> showers_;  // each puts one option into its control

  QListWidget* printCategoryOrderListBox_ = nullptr;
  QFontDialog* fontDialog_ = nullptr;
};

}  // namespace tarnwick

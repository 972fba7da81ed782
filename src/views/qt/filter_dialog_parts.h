#pragma once

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <string>
#include <vector>

namespace tarnwick {

/// Results of both filter dialogs beside the cancel result (0).
enum FilterDialogResult { kShowAllResult = 101, kFilterResult = 102 };

/// A list of names of a filter dialog: several names can be selected.
QListWidget* NewNameList(const char* name, QWidget* parent);
/// Shows `names` in `list` with the rows of `selected` selected.
void FillNameList(QListWidget* list, const std::vector<std::string>& names, const std::vector<bool>& selected);
/// The selected rows of a list, from the top.
std::vector<size_t> SelectedRows(const QListWidget* list);
QPushButton* NewButton(const char* name, const QString& caption, QWidget* parent);
/// Makes a dialog fixed in its laid-out size and puts it in the middle of its screen.
void FixAndCentre(QDialog* dialog);

}  // namespace tarnwick

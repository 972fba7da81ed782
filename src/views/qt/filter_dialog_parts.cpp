#include "views/qt/filter_dialog_parts.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/project_text.h"

namespace tarnwick {

QListWidget* NewNameList(const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setUniformItemSizes(true);
  return list;
}

void FillNameList(QListWidget* list, const std::vector<std::string>& names, const std::vector<bool>& selected) {
  list->clear();
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(names.size()));
  for (const std::string& name : names) texts.append(Utf8ToQString(name));
  list->addItems(texts);
  for (size_t row = 0; row < names.size() && row < selected.size(); ++row) {
    if (selected[row]) list->item(static_cast<int>(row))->setSelected(true);
  }
}

std::vector<size_t> SelectedRows(const QListWidget* list) {
  std::vector<size_t> rows;
  for (int row = 0; row < list->count(); ++row) {
    if (list->item(row)->isSelected()) rows.push_back(static_cast<size_t>(row));
  }
  return rows;
}

QPushButton* NewButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

void FixAndCentre(QDialog* dialog) {
  dialog->adjustSize();
  dialog->setFixedSize(dialog->size());
  QScreen* screen = dialog->screen() != nullptr ? dialog->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = dialog->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  dialog->move(frame.topLeft());
}

}  // namespace tarnwick

#include "app/qt/message_box_prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/qt/project_text.h"
#include "platform/text_encoding.h"

namespace tarnwick {

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Confirmation: return QMessageBox::Question;
    case MessageKind::Plain: break;
  }
  return QMessageBox::NoIcon;
}

QString CaptionOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error: return "Error";
    case MessageKind::Warning: return "Warning";
    case MessageKind::Information: return "Information";
    case MessageKind::Confirmation: return "Confirm";
    case MessageKind::Plain: break;
  }
  return QApplication::applicationDisplayName();
}

// The core writes line breaks as "\r" (and sometimes "\r\n"); a label breaks lines at "\n".
// A message may quote project text before its code page is known: such lines read as Windows-1252.
QString MessageText(std::string_view text) {
  QString shown = ProjectQString(text, kFallbackCodePage);
  shown.replace("\r\n", "\n");
  shown.replace('\r', '\n');
  return shown;
}

}  // namespace

MessageAnswer MessageBoxPrompter::Show(MessageKind kind, std::string_view text, MessageButtons buttons) {
  QMessageBox box(IconOf(kind), CaptionOf(kind), MessageText(text), QMessageBox::NoButton, parent_);
  box.setObjectName("MessageBox");
  QPushButton* no = nullptr;
  QPushButton* cancel = nullptr;
  if (buttons == MessageButtons::NoOk) no = box.addButton(QMessageBox::No);
  QPushButton* ok = box.addButton(QMessageBox::Ok);
  if (buttons == MessageButtons::OkCancel) cancel = box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(ok);
  box.setEscapeButton(cancel ? static_cast<QAbstractButton*>(cancel)
                             : no ? static_cast<QAbstractButton*>(no) : ok);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  if (clicked == ok) return MessageAnswer::Ok;
  if (clicked == no) return MessageAnswer::No;
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return buttons == MessageButtons::NoOk ? MessageAnswer::No : MessageAnswer::Cancel;
}

}  // namespace tarnwick

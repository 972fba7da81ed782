#include "capture/qt/capture_session.h"

#include <QApplication>
#include <QImageReader>
#include <QInputDialog>
#include <QWidget>

#include "capture/capture_key_settings.h"
#include "capture/qt/image_name_form.h"
#include "capture/qt/images_page.h"
#include "capture/qt/picture_conversion.h"

namespace tarnwick {

CaptureSession::CaptureSession(ProjectModel& model, Prompter& prompter, ImagesPage& page, WindowHooks hooks,
                               QWidget* window)
    : model_(model),
      prompter_(prompter),
      page_(page),
      hooks_(std::move(hooks)),
      window_(window),
      imageNameForm_(std::make_unique<TImageNameForm>(prompter, window)) {
  SetPlatform(CreateCapturePlatform());
}

CaptureSession::~CaptureSession() { platform_->Keys->Unregister(); }

void CaptureSession::SetPlatform(std::unique_ptr<CapturePlatform> platform) {
  if (platform_) platform_->Keys->Unregister();
  platform_ = std::move(platform);
  // Queued: the key arrives inside the toolkit's event dispatch, and a capture runs a modal dialog.
  // A key held down repeats; while one capture waits or runs, further presses are dropped, so one
  // press gives one capture.
  platform_->Keys->SetHandler([this](CaptureKind kind) {
    if (keyPending_ || capturing_) return;
    keyPending_ = true;
    QMetaObject::invokeMethod(this, [this, kind] {
      Capture(kind);
      keyPending_ = false;
    }, Qt::QueuedConnection);
  });
}

void CaptureSession::RegisterCaptureKeys(const CaptureKeySet& keys) {
  keysRegistered_ = true;
  std::vector<KeyCombination> refused = platform_->Keys->Register(keys);
  if (!refused.empty()) prompter_.Show(MessageKind::Warning, RefusedCaptureKeysMessage(refused), MessageButtons::Ok);
}

void CaptureSession::UnregisterCaptureKeys() {
  keysRegistered_ = false;
  platform_->Keys->Unregister();
}

void CaptureSession::Capture(CaptureKind kind) {
  // A capture while one of our dialogs is open could not show the naming dialog, and one queued
  // before the keys were released belongs to a closed project; both are dropped.
  if (!keysRegistered_ || capturing_ || QApplication::activeModalWidget()) return;
  std::optional<PixelImage> pixels = platform_->Grabber->Grab(kind);
  if (pixels) File(std::move(*pixels));
}

void CaptureSession::ImportPicture(const QString& path) {
  QImageReader reader(path);
  reader.setAutoTransform(true);
  const QImage image = reader.read();
  if (image.isNull()) {
    prompter_.Show(MessageKind::Error, "Could not load " + path.toStdString() + "\r\r" + reader.errorString().toStdString(),
                   MessageButtons::Ok);
    return;
  }
  if (model_.ImageFormNames.empty()) {
    prompter_.Show(MessageKind::Information, "The project has no forms to file the picture under.", MessageButtons::Ok);
    return;
  }
  File(ToPixelImage(image));
}

void CaptureSession::File(PixelImage pixels) {
  capturing_ = true;
  ProcessCapture(model_, std::move(pixels), hooks_.Format(), *this);
  capturing_ = false;
}

void CaptureSession::RunItemClick(const std::string& projectFile) {
  QInputDialog dialog(window_);
  dialog.setObjectName("RunDialog");
  dialog.setWindowTitle("Run");
  dialog.setLabelText("Executable");
  dialog.setTextValue(QString::fromStdString(ProposedCommand(projectFile)));
  dialog.resize(480, dialog.sizeHint().height());
  if (dialog.exec() != QDialog::Accepted) return;
  RunProgram(program_, *platform_->Runner, dialog.textValue().toStdString(), prompter_);
}

void CaptureSession::CloseRunningProgram() { tarnwick::CloseRunningProgram(program_, *platform_->Runner, prompter_); }

void CaptureSession::BringToFront() {
  if (hooks_.BringToFront) hooks_.BringToFront();
}

std::optional<ImageName> CaptureSession::AskImageName(const std::vector<std::string>& formNames,
                                                      const ImageNamePreselection& preselection) {
  return imageNameForm_->Ask(formNames, preselection, model_.CodePage);
}

void CaptureSession::ShowImage(size_t index) {
  page_.Refresh();
  page_.ShowImagePreview(index);
}

void CaptureSession::EnableProjectCommands() {
  if (hooks_.EnableProjectCommands) hooks_.EnableProjectCommands();
}

}  // namespace tarnwick

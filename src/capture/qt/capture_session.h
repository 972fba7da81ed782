#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

#include "analysis/project_model.h"
#include "capture/process_capture.h"
#include "capture/qt/capture_platform.h"
#include "capture/running_program.h"
#include "platform/user_interface.h"

class QWidget;

namespace tarnwick {

class ImagesPage;
class TImageNameForm;

/// The capture side of the main window: the capture keys, the grabs and imported pictures that
/// go through `ProcessCapture` and the naming dialog, and the documented program started with
/// Run. The window supplies how it comes forward, updates its commands and stores pictures.
class CaptureSession final : public QObject, private CaptureFrontEnd {
  Q_OBJECT
 public:
  struct WindowHooks {
    std::function<void()> BringToFront;
    std::function<void()> EnableProjectCommands;
    std::function<CaptureFormat()> Format;
  };

  /// `model`, `prompter` and `page` outlive the session; `window` parents its dialogs.
  CaptureSession(ProjectModel& model, Prompter& prompter, ImagesPage& page, WindowHooks hooks, QWidget* window);
  ~CaptureSession() override;

  void SetPlatform(std::unique_ptr<CapturePlatform> platform);
  CapturePlatform& Platform() { return *platform_; }
  TImageNameForm& ImageNameForm() { return *imageNameForm_; }
  const RunningProgram& Program() const { return program_; }

  /// Registers the keys; names any that another program holds in one warning.
  void RegisterCaptureKeys(const CaptureKeySet& keys);
  void UnregisterCaptureKeys();
  /// Grabs what `kind` names and files it, unless another dialog of this program is open.
  void Capture(CaptureKind kind);
  /// Reads a PNG, JPEG or BMP file and files it like a grab.
  void ImportPicture(const QString& path);
  /// Asks for the command (proposing the project's executable) and starts it.
  void RunItemClick(const std::string& projectFile);
  void CloseRunningProgram();

 private:
  void BringToFront() override;
  std::optional<ImageName> AskImageName(const std::vector<std::string>& formNames,
                                        const ImageNamePreselection& preselection) override;
  void ShowImage(size_t index) override;
  void EnableProjectCommands() override;
  void File(PixelImage pixels);

  ProjectModel& model_;
  Prompter& prompter_;
  ImagesPage& page_;
  WindowHooks hooks_;
  QWidget* window_;
  std::unique_ptr<TImageNameForm> imageNameForm_;
  std::unique_ptr<CapturePlatform> platform_;
  RunningProgram program_;
  bool keysRegistered_ = false;
  bool capturing_ = false;
  bool keyPending_ = false;
};

}  // namespace tarnwick

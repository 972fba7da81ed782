#pragma once

// Capture services for tests: keys pressed by the test, a grabber of a known picture and a runner
// that records what it was asked; and the answer to the naming dialog.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <vector>

#include "capture/fake_program_runner.h"
#include "capture/qt/capture_platform.h"
#include "support/qt_modal_closer.h"

namespace tarnwick::testing {

class FakeCaptureKeys final : public CaptureKeys {
 public:
  std::vector<KeyCombination> Refuse;
  std::vector<KeyCombination> Registered;
  bool Available() const override { return true; }
  std::vector<KeyCombination> Register(const CaptureKeySet& keys) override {
    Registered.assign(keys.begin(), keys.end());
    return Refuse;
  }
  void Unregister() override { Registered.clear(); }
  void Press(CaptureKind kind) { KeyArrived(kind); }
};

class FakeScreenGrabber final : public ScreenGrabber {
 public:
  int Width = 64;
  int Height = 48;
  std::vector<CaptureKind> Grabs;
  bool Available() const override { return true; }
  std::optional<PixelImage> Grab(CaptureKind kind) override {
    Grabs.push_back(kind);
    return PixelImage{Width, Height, std::vector<uint8_t>(static_cast<size_t>(Width * Height) * 4, 128)};
  }
};

// Chooses `form` and `view` in the naming dialog when it shows and presses OK.
inline void NameCapture(const QString& form, const QString& view, int timeoutMs = 5000) {
  WhenModalShows([form, view](QWidget* dialog) {
    auto* forms = dialog->findChild<QComboBox*>("ImageNameComboBox");
    forms->setCurrentIndex(forms->findText(form));
    dialog->findChild<QLineEdit*>("ViewNameEdit")->setText(view);
    dialog->findChild<QPushButton*>("Button1")->click();
  }, timeoutMs);
}

struct FakeCapturePlatform {
  FakeCaptureKeys* Keys;
  FakeScreenGrabber* Grabber;
  FakeProgramRunner* Runner;
  std::unique_ptr<CapturePlatform> Platform;

  FakeCapturePlatform() : Platform(std::make_unique<CapturePlatform>()) {
    Platform->Keys = std::unique_ptr<CaptureKeys>(Keys = new FakeCaptureKeys);
    Platform->Grabber = std::unique_ptr<ScreenGrabber>(Grabber = new FakeScreenGrabber);
    Platform->Runner = std::unique_ptr<ProgramRunner>(Runner = new FakeProgramRunner);
  }
};

}  // namespace tarnwick::testing

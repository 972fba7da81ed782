// The capture commands inside the main window, with fake keys, grabber and runner.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QPushButton>
#include <QTreeWidget>

#include "app/qt/main_form.h"
#include "capture/capture_key_settings.h"
#include "capture/qt/capture_session.h"
#include "capture/qt/fake_capture_platform.h"
#include "support/qt_modal_closer.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::NameCapture;
using testing::WaitUntil;
using testing::WhenModalShows;
using Names = std::vector<std::string>;

class CaptureCommandsTest : public ::testing::Test {
 protected:
  CaptureCommandsTest() : store_(folder_.Path() + "settings.reg") {
    store_.Load();
    form_.Capture().SetPlatform(std::move(fake_.Platform));
  }
  std::string OpenDemo() {
    std::string path = testing::CopyDemoProject(folder_);
    form_.OpenProjectFile(QString::fromStdString(path));
    return path;
  }
  QAction* Item(const char* name) { return form_.findChild<QAction*>(name); }
  testing::TempFolder folder_;
  SettingsStore store_;
  testing::RecordingPrompter prompter_;
  testing::FakeCapturePlatform fake_;
  TMainForm form_{store_, prompter_};
};

TEST_F(CaptureCommandsTest, AKeyGrabsNamesAndSaveImagesWritesTheJpeg) {
  OpenDemo();
  const CaptureKeySet defaults = DefaultCaptureKeys();
  EXPECT_EQ(fake_.Keys->Registered, (std::vector<KeyCombination>(defaults.begin(), defaults.end())));
  fake_.Grabber->Width = 320;
  NameCapture("AboutForm", "Shot");
  // Twice, as a held key repeats: one capture comes of it (the grabs are counted below).
  fake_.Keys->Press(CaptureKind::Screen);
  fake_.Keys->Press(CaptureKind::Screen);
  ASSERT_TRUE(WaitUntil([this] { return form_.Space().Model.Images.size() > 2; }));
  const ImageEntry& shot = form_.Space().Model.Images[0];
  EXPECT_EQ(shot.FileName + " " + std::to_string(shot.Image->Width), "AboutUnit_Shot.jpg 320");
  EXPECT_EQ(form_.findChild<QTreeWidget*>("ImageListView")->topLevelItem(0)->text(3), "New");
  ASSERT_TRUE(Item("SaveImagesItem")->isEnabled());

  Item("SaveImagesItem")->trigger();
  EXPECT_EQ(shot.Status, "Disk");
  EXPECT_TRUE(Item("SaveImagesItem")->isEnabled()) << "stays on until the next capture or opening";

  form_.CloseProject();
  EXPECT_TRUE(fake_.Keys->Registered.empty());
  fake_.Keys->Press(CaptureKind::Window);
  QApplication::processEvents();
  EXPECT_EQ(fake_.Grabber->Grabs, std::vector<CaptureKind>{CaptureKind::Screen}) << "one per press, none without a project";
}

TEST_F(CaptureCommandsTest, CaptureKeysAreStoredAndTakenAtTheNextOpening) {
  const QString project = QString::fromStdString(OpenDemo());
  WhenModalShows([this](QWidget* dialog) {
    dialog->findChild<QCheckBox*>("AltCheckBox1")->setChecked(true);  // the same as the window's keys
    dialog->findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(prompter_.Texts(), Names{"Each capture needs keys of its own: Alt+Print is chosen twice."});
    dialog->findChild<QComboBox*>("KeyComboBox1")->setCurrentText("F9");
    dialog->findChild<QPushButton*>("OkButton")->click();
  });
  Item("CaptureKeysItem")->trigger();
  EXPECT_EQ(KeyCombinationText(fake_.Keys->Registered[0]), "Print") << "the open project keeps its keys";
  form_.OpenProjectFile(project);
  EXPECT_EQ(KeyCombinationText(fake_.Keys->Registered[0]), "Alt+F9") << "read from the settings saved";
}

TEST_F(CaptureCommandsTest, RunProposesTheExecutableAndClosingTheProjectOffersToCloseIt) {
  const std::string project = OpenDemo();
  QString proposed;
  WhenModalShows([&proposed](QWidget* dialog) {
    auto* input = qobject_cast<QInputDialog*>(dialog);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(input->windowTitle(), "Run");
    EXPECT_EQ(input->labelText(), "Executable");
    proposed = input->textValue();
    input->setTextValue(proposed + " --demo");
    input->accept();
  });
  Item("RunItem")->trigger();
  EXPECT_EQ(proposed.toStdString(), project.substr(0, project.size() - 4) + ".exe");
  prompter_.QueueAnswer(MessageAnswer::Ok);
  form_.CloseProject();
  // The first "forget" is the close flow that every opening begins with.
  EXPECT_EQ(fake_.Runner->Calls, (Names{"forget", "start " + proposed.toStdString() + " --demo", "close", "forget"}));
}

TEST_F(CaptureCommandsTest, ImportedPictureIsFiledLikeAGrabInBitmapMode) {
  OpenDemo();
  Item("BitmapImagesItem")->trigger();
  QImage picture(30, 20, QImage::Format_RGB32);
  picture.fill(QColor(10, 200, 30));
  const std::string path = folder_.Path() + "shot.png";
  ASSERT_TRUE(picture.save(QString::fromStdString(path)));
  NameCapture("EditForm", "Details");
  form_.Capture().ImportPicture(QString::fromStdString(path));
  // The demo's EditUnit_Details.bmp is renewed: same entry, new picture, "New" again.
  const std::vector<ImageEntry>& images = form_.Space().Model.Images;
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].FileName + " " + images[0].Status, "EditUnit_Details.bmp New");
  EXPECT_EQ(std::vector<uint8_t>(images[0].Image->Pixels.begin(), images[0].Image->Pixels.begin() + 3),
            (std::vector<uint8_t>{10, 200, 30}));

  form_.Capture().ImportPicture(QString::fromStdString(folder_.Path() + "missing.png"));
  ASSERT_FALSE(prompter_.Texts().empty());
  EXPECT_TRUE(prompter_.Texts().back().starts_with("Could not load " + folder_.Path() + "missing.png"));
}

}  // namespace
}  // namespace tarnwick

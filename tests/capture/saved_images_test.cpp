#include "capture/saved_images.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/bmp_codec.h"
#include "platform/jpeg_codec.h"
#include "support/recording_prompter.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::RecordingProgressSink;
using testing::RecordingPrompter;
using testing::TempFolder;

class SavedImages : public ::testing::Test {
 protected:
  SavedImages() : ui_{prompter_, progress_, measure_} {
    workspace_.Model.DocumentationFolder = temp_.Path() + "Documentation/";
  }

  void AddUnit(std::string unit, std::string form) { workspace_.Model.AddUnit({std::move(unit), std::move(form), ""}); }
  void WritePictures(std::initializer_list<const char*> names) {
    PixelImage pixels{4, 3, std::vector<uint8_t>(48, 99)};
    for (std::string name : names) {
      bool bitmap = name.ends_with(".bmp");
      temp_.Write("Documentation/" + name, bitmap ? EncodeBmp(pixels.View(), 24) : *EncodeJpeg(pixels.View(), 75));
    }
  }
  // Each entry as "form|view|file|status|unit".
  std::vector<std::string> Entries() const {
    std::vector<std::string> rows;
    for (const ImageEntry& e : workspace_.Model.Images) {
      rows.push_back(e.FormName + "|" + e.ViewName + "|" + e.FileName + "|" + e.Status + "|" + e.UnitName);
    }
    return rows;
  }

  TempFolder temp_;
  Workspace workspace_;
  RecordingPrompter prompter_;
  RecordingProgressSink progress_;
  EstimatingTextMeasure measure_;
  UserInterface ui_;
};

TEST_F(SavedImages, ListsTheFilesThatPassTheNameTestSortedByForm) {
  AddUnit("Main", "ZForm");
  AddUnit("My_Unit", "MyForm");
  AddUnit("Unit1", "Form1");
  AddUnit("Project1.dpr", "");
  WritePictures({"Main.jpg", "Main_b.jpg", "Main_A.jpg", "MainForm.jpg", "My_Unit.jpg", "My_Unit_Main.jpg",
                 "unit1.jpg", "Project1.dpr.jpg"});
  FindSavedImages(workspace_, ui_);

  EXPECT_EQ(Entries(), (std::vector<std::string>{"MyForm|Main|My_Unit_Main.jpg|Disk|My_Unit", "ZForm||Main.jpg|Disk|Main",
                                                 "ZForm|A|Main_A.jpg|Disk|Main", "ZForm|b|Main_b.jpg|Disk|Main"}));
  EXPECT_TRUE(prompter_.Messages().empty());
  EXPECT_EQ(workspace_.ImageFormNames, (std::vector<std::string>{"ZForm", "MyForm", "Form1"}));
  ASSERT_NE(workspace_.Model.Images[0].Image, nullptr);
  EXPECT_EQ(workspace_.Model.Images[0].Image->Width, 4);
  EXPECT_TRUE(workspace_.Model.Images[0].Selected);
  EXPECT_FALSE(workspace_.Model.Images[1].Selected);
}

TEST_F(SavedImages, ThePreferredKindComesFirstForTheSameFormAndView) {
  AddUnit("Unit1", "Form1");
  WritePictures({"Unit1.jpg", "Unit1.bmp"});
  workspace_.Settings.BitmapImages = true;
  FindSavedImages(workspace_, ui_);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Form1||Unit1.bmp|Disk|Unit1", "Form1||Unit1.jpg|Disk|Unit1"}));
  EXPECT_EQ(workspace_.Model.Images[0].Image->Kind, Picture::Format::Bitmap);

  workspace_.Model.Images.clear();
  workspace_.Settings.BitmapImages = false;
  FindSavedImages(workspace_, ui_);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"Form1||Unit1.jpg|Disk|Unit1", "Form1||Unit1.bmp|Disk|Unit1"}));
}

TEST_F(SavedImages, UnreadableFileIsReportedAndDropped) {
  AddUnit("Main", "MainForm");
  temp_.Write("Documentation/Main.jpg", "garbage, no JPEG");
  temp_.Write("Documentation/Main_Edit.bmp", "BM damaged");
  WritePictures({"Main_View.jpg"});
  FindSavedImages(workspace_, ui_);

  const std::string folder = workspace_.Model.DocumentationFolder;
  EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"Could not load " + folder + "Main.jpg",
                                                         "Could not load " + folder + "Main_Edit.bmp"}));
  EXPECT_EQ(prompter_.Messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(prompter_.Messages()[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"MainForm|View|Main_View.jpg|Disk|Main"}));
  EXPECT_TRUE(workspace_.Model.Images[0].Selected);
}

TEST_F(SavedImages, NoFolderOrNoFormsGiveNoEntries) {
  AddUnit("Main", "MainForm");
  FindSavedImages(workspace_, ui_);
  EXPECT_TRUE(workspace_.Model.Images.empty());

  Workspace formless;
  formless.Model.DocumentationFolder = workspace_.Model.DocumentationFolder;
  formless.Model.AddUnit({"Tools", "", ""});
  WritePictures({"Tools.jpg"});
  FindSavedImages(formless, ui_);
  EXPECT_TRUE(formless.Model.Images.empty());
  EXPECT_TRUE(formless.ImageFormNames.empty());
  EXPECT_TRUE(prompter_.Messages().empty());
}

}  // namespace
}  // namespace tarnwick

#include "capture/saved_images.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/bmp_codec.h"
#include "platform/jpeg_codec.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

class SavedImages : public testing::WorkspaceTest {
 protected:
  SavedImages() { Model().DocumentationFolder = folder_.Path() + "Documentation/"; }

  void AddUnit(std::string unit, std::string form) { Model().AddUnit({std::move(unit), std::move(form), ""}); }
  void WritePictures(std::initializer_list<const char*> names) {
    PixelImage pixels{4, 3, std::vector<uint8_t>(48, 99)};
    for (std::string name : names) {
      bool bitmap = name.ends_with(".bmp");
      folder_.Write("Documentation/" + name, bitmap ? EncodeBmp(pixels.View(), 24) : *EncodeJpeg(pixels.View(), 75));
    }
  }
  // Each entry as "form|view|file|status|unit".
  Names Entries() {
    Names rows;
    for (const ImageEntry& e : Model().Images)
      rows.push_back(e.FormName + "|" + e.ViewName + "|" + e.FileName + "|" + e.Status + "|" + e.UnitName);
    return rows;
  }
};

TEST_F(SavedImages, ListsTheFilesThatPassTheNameTestSortedByForm) {
  AddUnit("Main", "ZForm");
  AddUnit("My_Unit", "MyForm");
  AddUnit("Unit1", "Form1");
  AddUnit("Project1.dpr", "");
  // Split at the last "_", so a unit or view name holding "_" does not come back; letter case
  // must match exactly.
  WritePictures({"Main.jpg", "Main_b.jpg", "Main_A.jpg", "MainForm.jpg", "Main_A_B.jpg",
                 "My_Unit.jpg", "My_Unit_Main.jpg", "unit1.jpg", "Unit1.bmp", "Unit1.jpg",
                 "Project1.dpr.jpg"});
  FindSavedImages(workspace_.Model, workspace_.Settings.BitmapImages, ui_);

  // Of the same form and view, the kind the settings prefer comes first.
  EXPECT_EQ(Entries(), (Names{"Form1||Unit1.jpg|Disk|Unit1", "Form1||Unit1.bmp|Disk|Unit1",
                              "MyForm|Main|My_Unit_Main.jpg|Disk|My_Unit",
                              "ZForm||Main.jpg|Disk|Main", "ZForm|A|Main_A.jpg|Disk|Main",
                              "ZForm|b|Main_b.jpg|Disk|Main"}));
  EXPECT_EQ(workspace_.Model.ImageFormNames, (Names{"ZForm", "MyForm", "Form1"}));
  ASSERT_NE(Model().Images[0].Image, nullptr);
  EXPECT_TRUE(Model().Images[0].Selected && !Model().Images[1].Selected);
}

TEST_F(SavedImages, BitmapsComeFirstWhenTheSettingsPreferThem) {
  AddUnit("Unit1", "Form1");
  WritePictures({"Unit1.jpg", "Unit1.bmp"});
  FindSavedImages(workspace_.Model, true, ui_);
  EXPECT_EQ(Entries(), (Names{"Form1||Unit1.bmp|Disk|Unit1", "Form1||Unit1.jpg|Disk|Unit1"}));
}

TEST_F(SavedImages, UnreadableFileIsReportedAndDropped) {
  AddUnit("Main", "MainForm");
  folder_.Write("Documentation/Main.jpg", "garbage, no JPEG");
  folder_.Write("Documentation/Main_Edit.bmp", "BM damaged");
  WritePictures({"Main_View.jpg"});
  FindSavedImages(workspace_.Model, workspace_.Settings.BitmapImages, ui_);

  const std::string folder = Model().DocumentationFolder;
  EXPECT_EQ(prompter_.Shown(),
            (Names{"warning: Could not load " + folder + "Main.jpg",
                   "warning: Could not load " + folder + "Main_Edit.bmp"}));
  EXPECT_EQ(Entries(), (Names{"MainForm|View|Main_View.jpg|Disk|Main"}));
  EXPECT_TRUE(Model().Images[0].Selected);
}

TEST_F(SavedImages, NoFolderGivesNoEntriesAndNoMessage) {
  AddUnit("Main", "MainForm");
  FindSavedImages(workspace_.Model, workspace_.Settings.BitmapImages, ui_);
  EXPECT_TRUE(Model().Images.empty());
  EXPECT_TRUE(prompter_.Messages().empty());
}

}  // namespace
}  // namespace tarnwick

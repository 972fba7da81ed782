#include "capture/process_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

PixelImage Pixels(int width, int height) {
  return PixelImage{width, height, std::vector<uint8_t>(static_cast<size_t>(width * height) * 4, 7)};
}

// Records what the window was asked to do, and answers the naming dialog from a script.
class FakeFrontEnd final : public CaptureFrontEnd {
 public:
  std::optional<ImageName> Answer;
  Names Calls;

  void BringToFront() override { Calls.push_back("front"); }
  std::optional<ImageName> AskImageName(const std::vector<std::string>&,
                                        const ImageNamePreselection&) override {
    Calls.push_back("ask");
    return Answer;
  }
  void ShowImage(size_t index) override { Calls.push_back("show " + std::to_string(index)); }
  void EnableProjectCommands() override { Calls.push_back("enable"); }
};

class ProcessCaptureTest : public ::testing::Test {
 protected:
  ProcessCaptureTest() {
    model_.AddUnit({"Main", "MainForm", ""});
    model_.AddUnit({"Vcl.Edit", "EditForm", ""});
    model_.ImageFormNames = {"MainForm", "EditForm"};
  }
  size_t File(const std::string& form, const std::string& view, bool bitmap = false) {
    return FileCapture(model_, {form, view}, Pixels(2, 1), {bitmap, 80});
  }
  Names FileNames() const {
    Names names;
    for (const ImageEntry& entry : model_.Images) names.push_back(entry.FileName + " " + entry.Status);
    return names;
  }
  ProjectModel model_;
  FakeFrontEnd frontEnd_;
};

TEST(ViewNames, IdentifiersOrNothing) {
  for (const char* valid : {"", "_1", "View2", "a", "Z_z9"}) EXPECT_TRUE(IsValidViewName(valid)) << valid;
  for (const char* invalid : {"my view", "1st", "a-b", "é", "x.y"}) EXPECT_FALSE(IsValidViewName(invalid)) << invalid;
  EXPECT_EQ(InvalidViewNameMessage("a-b"),
            "The Viewname \"a-b\" is not valid\r\rPlease remove any spaces or special characters");
}

TEST_F(ProcessCaptureTest, FileNamesFollowUnitViewAndFormatAndTheSameNamesInOtherCaseRenew) {
  File("MainForm", "", false);
  File("MainForm", "Details", false);
  File("EditForm", "", true);
  // A dotted unit name keeps its dot: the extension is appended, not put in place of ".Edit".
  EXPECT_EQ(FileNames(), (Names{"Vcl.Edit.bmp New", "Main.jpg New", "Main_Details.jpg New"}));
  EXPECT_EQ(model_.Images[1].Image->JpegQuality, 80) << "the quality of the moment of the capture";
  model_.Images[2].Status = "Disk";
  EXPECT_EQ(File("MainForm", "details", true), 2u);
  EXPECT_EQ(FileNames(), (Names{"Vcl.Edit.bmp New", "Main.jpg New", "Main_Details.bmp New"}));
  EXPECT_EQ(model_.Images[2].Image->Kind, Picture::Format::Bitmap);
}

TEST_F(ProcessCaptureTest, PreselectsTheSelectedEntryWhenItsFormIsOffered) {
  EXPECT_EQ(PreselectImageName(model_).FormIndex, 0u) << "nothing selected: the first form";
  model_.Images.push_back(ImageEntry{"EditForm", "Grid", "Vcl.Edit", "", "Disk", nullptr, true});
  ImageNamePreselection chosen = PreselectImageName(model_);
  EXPECT_EQ(chosen.FormIndex, 1u);
  EXPECT_EQ(chosen.ViewName, "Grid");
  model_.Images[0].FormName = "GoneForm";
  EXPECT_FALSE(PreselectImageName(model_).ViewName) << "the edit keeps its text";
}

TEST_F(ProcessCaptureTest, RunsFrontNameFileShowEnableInThatOrderUnlessCancelledOrFormless) {
  EXPECT_EQ(ProcessCapture(model_, Pixels(1, 1), {}, frontEnd_), std::nullopt);
  EXPECT_EQ(frontEnd_.Calls, (Names{"front", "ask"}));
  frontEnd_.Calls.clear();
  frontEnd_.Answer = ImageName{"EditForm", ""};
  EXPECT_EQ(ProcessCapture(model_, Pixels(3, 3), {}, frontEnd_), 0u);
  EXPECT_EQ(frontEnd_.Calls, (Names{"front", "ask", "show 0", "enable"}));
  model_.ImageFormNames.clear();
  frontEnd_.Calls.clear();
  EXPECT_EQ(ProcessCapture(model_, Pixels(1, 1), {}, frontEnd_), std::nullopt);
  EXPECT_EQ(frontEnd_.Calls, Names{}) << "nothing comes forward";
}

}  // namespace
}  // namespace tarnwick

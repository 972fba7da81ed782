#include "capture/image_list.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/bmp_codec.h"
#include "platform/jpeg_codec.h"
#include "support/workspace_test.h"

namespace tarnwick {
namespace {

using testing::ReadFileText;
using testing::TempFolder;
using Names = std::vector<std::string>;

std::shared_ptr<Picture> MakePicture(Picture::Format kind, int width, int height, std::vector<uint8_t> pixels,
                                     std::string jpegData = "") {
  return std::make_shared<Picture>(Picture{kind, width, height, std::move(pixels), 24, std::move(jpegData), 0});
}
std::shared_ptr<Picture> JpegPicture(const std::string& bytes) {
  return MakePicture(Picture::Format::Jpeg, 1, 1, {}, bytes);
}

ImageEntry Entry(std::string form, std::string view, std::string file = "", std::string status = "New") {
  return ImageEntry{std::move(form), std::move(view), "", std::move(file), std::move(status), nullptr, false};
}

Names FileNames(const std::vector<ImageEntry>& images) {
  Names names;
  for (const ImageEntry& entry : images) names.push_back(entry.FileName);
  return names;
}

// The name test's cases are the saved images' tests, where it picks the files of a folder.
TEST(ImageList, FileNamesJoinUnitAndViewWithTheFormatsExtension) {
  EXPECT_EQ(ImageFileName("Main", "", false), "Main.jpg");
  EXPECT_EQ(ImageFileName("Main", "Details", true), "Main_Details.bmp");
}

TEST(ImageList, SortedByFormThenViewByCharacterCodesAndStable) {
  std::vector<ImageEntry> images;
  for (ImageEntry entry : {Entry("b", "", "1"), Entry("ab", "", "2"), Entry("a", "x", "3"), Entry("B", "", "4"),
                           Entry("a", "", "5"), Entry("a", "X", "6"), Entry("a", "", "7")}) {
    AddImage(images, std::move(entry));
  }
  // Upper case before lower case, a prefix before the longer name, equal entries in arrival order.
  EXPECT_EQ(FileNames(images), (Names{"4", "5", "7", "6", "3", "2", "1"}));
}

// Unreadable files are the saved images' tests; a picture read is held as it was stored.
TEST(ImageList, LoadersKeepJpegBytesAndBitmapDepth) {
  TempFolder temp;
  PixelImage pixels{6, 4, std::vector<uint8_t>(6 * 4 * 4, 200)};
  std::string jpeg = *EncodeJpeg(pixels.View(), 80);
  std::shared_ptr<Picture> loaded = LoadJPegFile(temp.Write("Main.jpg", jpeg)).value_or(nullptr);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->JpegData, jpeg);
  loaded = LoadBitmapFile(temp.Write("Main.bmp", EncodeBmp(pixels.View(), 32))).value_or(nullptr);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->BitsPerPixel, 32);
}

class ImageFiles : public testing::WorkspaceTest {
 protected:
  ImageFiles() { Model().DocumentationFolder = folder_.Path() + "Documentation/"; }

  ImageEntry& Add(std::string file, std::shared_ptr<Picture> picture, std::string status = "New") {
    ImageEntry entry = Entry("Form" + file, "", file, status);
    entry.Image = std::move(picture);
    return Model().Images[AddImage(Model().Images, std::move(entry))];
  }
  std::string PathOf(const std::string& file) { return Model().DocumentationFolder + file; }
};

TEST_F(ImageFiles, SavingCreatesTheFolderAndEncodesCapturedPixelsAtTheSettingsQuality) {
  auto captured = MakePicture(Picture::Format::Jpeg, 20, 10, std::vector<uint8_t>(800, 90));
  Add("A.jpg", JpegPicture("jpeg bytes"));
  Add("B.jpg", captured);
  std::vector<uint8_t> opaque;
  for (int i = 0; i < 6; ++i) opaque.insert(opaque.end(), {7, 8, 9, 255});
  Add("C.bmp", MakePicture(Picture::Format::Bitmap, 3, 2, opaque));

  EXPECT_TRUE(SaveNewImages(workspace_.Model, 35, prompter_));
  EXPECT_EQ(ReadFileText(PathOf("A.jpg")), "jpeg bytes");
  PixelView capturedPixels{20, 10, PixelLayout::Rgba, captured->Pixels, 0};
  std::string expected = *EncodeJpeg(capturedPixels, 35);
  EXPECT_EQ(ReadFileText(PathOf("B.jpg")), expected);
  EXPECT_EQ(Model().Images[1].Image->JpegData, expected);  // held compressed from now on
  // A capture that recorded its quality keeps it whatever the setting says now.
  captured->JpegQuality = 80;
  Add("D.jpg", captured);
  EXPECT_EQ(SaveImage(workspace_.Model, 3, 100, false, prompter_), SaveOutcome::Saved);
  EXPECT_EQ(ReadFileText(PathOf("D.jpg")), *EncodeJpeg(capturedPixels, 80));
  EXPECT_EQ(DecodeBmp(ReadFileText(PathOf("C.bmp")))->Pixels, opaque);
}

TEST_F(ImageFiles, OverwriteQuestionAnsweredBothWays) {
  folder_.Write("Documentation/Main.jpg", "old");
  Add("Main.jpg", JpegPicture("new"));
  prompter_.QueueAnswer(MessageAnswer::Cancel);
  EXPECT_EQ(SaveImage(workspace_.Model, 0, 100, true, prompter_), SaveOutcome::Skipped);
  EXPECT_EQ(prompter_.Shown(), Names{"confirmation: Overwrite file Main.jpg"});
  EXPECT_EQ(ReadFileText(PathOf("Main.jpg")), "old");
  EXPECT_EQ(Model().Images[0].Status, "New");

  prompter_.QueueAnswer(MessageAnswer::Ok);
  EXPECT_EQ(SaveImage(workspace_.Model, 0, 100, true, prompter_), SaveOutcome::Saved);
  EXPECT_EQ(ReadFileText(PathOf("Main.jpg")), "new");
  EXPECT_EQ(Model().Images[0].Status, "Disk");
}

TEST_F(ImageFiles, FolderThatCannotBeCreatedIsReportedAndNothingIsLost) {
  folder_.Write("Blocked", "a file where the project folder should be");
  Model().DocumentationFolder = folder_.Path() + "Blocked/Documentation/";
  Add("A.jpg", JpegPicture("a"));
  Add("B.jpg", JpegPicture("b"));
  EXPECT_TRUE(SaveNewImages(workspace_.Model, 100, prompter_));  // each image is tried; the command goes on
  std::string message = "error: Could not create dir " + Model().DocumentationFolder;
  EXPECT_EQ(prompter_.Shown(), (Names{message, message}));
  EXPECT_EQ(Model().Images[1].Status, "New");
}

TEST_F(ImageFiles, WriteFailureEndsTheCommandAndKeepsTheEntriesNew) {
  std::filesystem::create_directories(PathOf("A.jpg"));  // a folder in the picture's place
  Add("A.jpg", JpegPicture("a")).Selected = true;
  Add("B.jpg", JpegPicture("b")).Selected = true;
  EXPECT_FALSE(SaveSelectedImages(workspace_.Model, 100, prompter_));
  ASSERT_EQ(prompter_.Messages().size(), 1u);
  EXPECT_EQ(prompter_.Messages()[0].text.rfind("Could not write " + PathOf("A.jpg") + "\r\r", 0), 0u);
  EXPECT_EQ(Model().Images[0].Status, "New");
  EXPECT_FALSE(std::filesystem::exists(PathOf("B.jpg"))) << "never reached";
}

TEST_F(ImageFiles, DeleteAsksForDiskFilesAndCancelStopsTheCommand) {
  for (const char* name : {"A.jpg", "C.jpg", "D.jpg"}) folder_.Write(std::string("Documentation/") + name, "x");
  Add("A.jpg", JpegPicture("a"), "Disk").Selected = true;
  Add("B.jpg", JpegPicture("b"), "Disk").Selected = true;  // its file is already gone
  Add("C.jpg", JpegPicture("c")).Selected = true;            // "New": removed without a question
  Add("D.jpg", JpegPicture("d"), "Disk").Selected = true;
  Add("E.jpg", JpegPicture("e"), "Disk").Selected = true;
  // OK for A, B and the message about B's file, Cancel for D.
  for (int i = 0; i < 3; ++i) prompter_.QueueAnswer(MessageAnswer::Ok);
  prompter_.QueueAnswer(MessageAnswer::Cancel);
  DeleteSelectedImages(Model(), prompter_);
  EXPECT_EQ(prompter_.Shown(), (Names{"confirmation: Delete file A.jpg", "confirmation: Delete file B.jpg",
                                      "information: Could not delete B.jpg", "confirmation: Delete file D.jpg"}));
  EXPECT_EQ(FileNames(Model().Images), (Names{"D.jpg", "E.jpg"}));
  EXPECT_FALSE(std::filesystem::exists(PathOf("A.jpg")));
}

}  // namespace
}  // namespace tarnwick

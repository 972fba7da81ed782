#include "capture/qt/images_page.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTreeWidget>

#include "support/recording_prompter.h"

namespace tarnwick {
namespace {

std::shared_ptr<Picture> Bitmap(int width, int height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width * height) * 4, 200);
  return std::make_shared<Picture>(
      Picture{Picture::Format::Bitmap, width, height, std::move(pixels), 24, "", 0});
}

TEST(ImagesPageTest, PreviewFollowsTheSelection) {
  ProjectModel model;
  testing::RecordingPrompter prompter;
  ImagesPage page{model, prompter, [] { return 90; }};
  page.resize(640, 480);
  page.show();
  auto* list = page.findChild<QTreeWidget*>("ImageListView");
  auto* panel = page.findChild<QLabel*>("ImagePreviewPanel");
  auto* preview = page.findChild<QLabel*>("ImagePreview");
  auto select = [list](std::initializer_list<int> rows) {
    list->clearSelection();
    for (int row : rows) list->topLevelItem(row)->setSelected(true);
  };
  EXPECT_EQ(panel->text(), "No image");
  model.Images = {ImageEntry{"AForm", "", "U", "AForm.jpg", "New", Bitmap(10, 8), false},
                  ImageEntry{"BForm", "Big", "U", "BForm.jpg", "New", Bitmap(4000, 3000), false},
                  ImageEntry{"CForm", "", "U", "CForm.jpg", "New", nullptr, false}};
  page.Refresh();
  EXPECT_EQ(list->topLevelItem(1)->text(1) + list->topLevelItem(1)->text(3), "BigNew");
  EXPECT_EQ(panel->text(), "No selection");

  select({0});
  EXPECT_EQ(preview->pixmap().size(), QSize(10, 8)) << "a small picture keeps its size";
  select({1});
  EXPECT_EQ(preview->pixmap().size(), preview->size()) << "a large one fills the box";
  select({0, 1});
  EXPECT_EQ(panel->text(), "Multiple selected");
  EXPECT_FALSE(preview->isVisible());
  select({2});
  EXPECT_EQ(panel->text(), "No image");
  page.ShowImagePreview(3);
  EXPECT_EQ(panel->text(), "No selecction");
  EXPECT_TRUE(model.Images[2].Selected) << "the selection is mirrored into the model";
}

}  // namespace
}  // namespace tarnwick
